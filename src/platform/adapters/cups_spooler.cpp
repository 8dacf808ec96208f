#include "platform/adapters/cups_spooler.h"

#include <cups/cups.h>

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstring>

namespace tlw {
namespace {

// How printer-state-reasons become printer status bits. A reason is looked up
// by its keyword without the "-report", "-warning" or "-error" severity suffix,
// so "media-empty", "media-empty-warning" and "media-empty-error" all read as
// Paper Out. A reason not in this table that ends in "-error" reads as Printer
// Error; any other reason (connecting-to-device, none, ...) adds nothing.
//
//   printer-state idle (3), no reasons ...... 0 (Ready)
//   printer-state processing (4) ............ Printing       0x00000400
//   printer-state stopped (5), paused ....... Paused         0x00000001
//   media-empty, media-needed ............... Paper Out      0x00000010
//   media-jam ............................... Paper Jam      0x00000008
//   door-open, cover-open ................... Door Open      0x00400000
//   offline ................................. Off Line       0x00000080
//   toner-low, marker-supply-low ............ Toner Low      0x00020000
//   toner-empty, marker-supply-empty ........ No Toner       0x00040000
//   output-area-full ........................ Output Bin Full 0x00000800
//   other "...-error" ....................... Printer Error  0x00000002
struct ReasonBit {
  const char* keyword;
  std::uint32_t bit;
};
constexpr ReasonBit kPrinterReasons[] = {
    {"paused", PrinterStatus::Paused},
    {"media-empty", PrinterStatus::PaperOut},
    {"media-needed", PrinterStatus::PaperOut},
    {"media-jam", PrinterStatus::PaperJam},
    {"door-open", PrinterStatus::DoorOpen},
    {"cover-open", PrinterStatus::DoorOpen},
    {"offline", PrinterStatus::Offline},
    {"toner-low", PrinterStatus::TonerLow},
    {"marker-supply-low", PrinterStatus::TonerLow},
    {"toner-empty", PrinterStatus::NoToner},
    {"marker-supply-empty", PrinterStatus::NoToner},
    {"output-area-full", PrinterStatus::OutputBinFull},
};

QByteArray withoutSeverity(const QByteArray& reason) {
  for (const char* suffix : {"-report", "-warning", "-error"}) {
    if (reason.endsWith(suffix)) return reason.left(reason.size() - int(std::strlen(suffix)));
  }
  return reason;
}

// Text of an attribute as 8-bit bytes (IPP texts are UTF-8; the wizard's texts
// are ISO 8859-1). Nullopt when the attribute is missing.
std::optional<QByteArray> latin1Text(ipp_t* response, ipp_attribute_t* attr) {
  (void)response;
  if (!attr) return std::nullopt;
  const char* s = ippGetString(attr, 0, nullptr);
  if (!s) return std::nullopt;
  return QString::fromUtf8(s).toLatin1();
}

QByteArray queueUri(const CupsConnections& server, const QString& queue) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr,
                   server.uriHost().constData(), server.uriPort(), "/printers/%s",
                   queue.toUtf8().constData());
  return QByteArray(uri);
}

// Answers that mean "not now": the scheduler is busy or holds too many jobs.
bool busyAnswer(ipp_status_t status) {
  if (status == IPP_STATUS_ERROR_BUSY || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE ||
      status == IPP_STATUS_ERROR_TOO_MANY_JOBS)
    return true;
  return status == IPP_STATUS_ERROR_NOT_POSSIBLE &&
         QByteArray(cupsLastErrorString()).contains("Too many");
}

std::vector<QByteArray> keywords(ipp_attribute_t* attr) {
  std::vector<QByteArray> out;
  if (!attr) return out;
  for (int i = 0, n = ippGetCount(attr); i < n; ++i)
    if (const char* s = ippGetString(attr, i, nullptr)) out.emplace_back(s);
  return out;
}

// libcups' own words for the last failure of this thread's requests.
QString lastCupsError() { return QString::fromUtf8(cupsLastErrorString()); }

}  // namespace

std::uint32_t CupsSpooler::printerStatusWord(int printerState,
                                             const std::vector<QByteArray>& reasons) {
  std::uint32_t word = 0;
  if (printerState == IPP_PSTATE_PROCESSING) word |= PrinterStatus::Printing;
  if (printerState == IPP_PSTATE_STOPPED) word |= PrinterStatus::Paused;
  for (const QByteArray& reason : reasons) {
    if (reason == "none") continue;
    const QByteArray base = withoutSeverity(reason);
    bool known = false;
    for (const ReasonBit& rb : kPrinterReasons) {
      if (base == rb.keyword) {
        word |= rb.bit;
        known = true;
      }
    }
    if (!known && reason.endsWith("-error")) word |= PrinterStatus::Error;
  }
  return word;
}

// How job-state and job-state-reasons become job status bits:
//
//   pending (3) ............. 0 (Ready)
//   pending-held (4) ........ Paused    0x0001
//   processing (5) .......... Printing  0x0010
//   processing-stopped (6) .. Error     0x0002
//   canceled (7) ............ Deleting  0x0004 (no text)
//   aborted (8) ............. Deleted   0x0100 (no text)
//   completed (9) ........... Printed   0x0080 (no text)
//   reason job-incoming ..... Spooling  0x0008 (the document is still arriving)
std::uint32_t CupsSpooler::jobStatusWord(int jobState, const std::vector<QByteArray>& reasons) {
  std::uint32_t word = 0;
  switch (jobState) {
    case IPP_JSTATE_HELD: word |= JobStatus::Paused; break;
    case IPP_JSTATE_PROCESSING: word |= JobStatus::Printing; break;
    case IPP_JSTATE_STOPPED: word |= JobStatus::Error; break;
    case IPP_JSTATE_CANCELED: word |= JobStatus::Deleting; break;
    case IPP_JSTATE_ABORTED: word |= JobStatus::Deleted; break;
    case IPP_JSTATE_COMPLETED: word |= JobStatus::Printed; break;
    default: break;
  }
  for (const QByteArray& reason : reasons)
    if (reason == "job-incoming") word |= JobStatus::Spooling;
  return word;
}

CupsSpooler::CupsSpooler(std::shared_ptr<CupsConnections> connections)
    : connections_(connections ? std::move(connections) : std::make_shared<CupsConnections>()) {}

CupsSpooler::~CupsSpooler() = default;

std::vector<PrinterEntry> CupsSpooler::listPrinters() {
  std::vector<PrinterEntry> out;
  lastError_.clear();
  const CupsConnections::Lease lease = connections_->acquire();
  http_t* http = lease.http();
  if (!http) {
    lastError_ = lastCupsError();
    return out;
  }
  static const char* const kAttrs[] = {"printer-name", "printer-make-and-model", "device-uri"};
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                int(sizeof kAttrs / sizeof *kAttrs), nullptr, kAttrs);
  ipp_t* response = cupsDoRequest(http, request, "/");
  if (!response) {
    lastError_ = lastCupsError();
    return out;
  }
  // One group per printer, separated by separator tags, in the scheduler's order.
  PrinterEntry entry;
  bool inPrinter = false;
  for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
    if (ippGetGroupTag(a) != IPP_TAG_PRINTER) {
      if (inPrinter && !entry.name.isEmpty()) out.push_back(entry);
      entry = PrinterEntry{};
      inPrinter = false;
      continue;
    }
    inPrinter = true;
    const char* name = ippGetName(a);
    if (!name) continue;
    const char* value = ippGetString(a, 0, nullptr);
    if (!value) continue;
    if (!std::strcmp(name, "printer-name")) entry.name = QString::fromUtf8(value);
    else if (!std::strcmp(name, "printer-make-and-model")) entry.driverName = QString::fromUtf8(value);
    else if (!std::strcmp(name, "device-uri")) entry.portName = QString::fromUtf8(value);
  }
  if (inPrinter && !entry.name.isEmpty()) out.push_back(entry);
  ippDelete(response);
  return out;
}

QString CupsSpooler::defaultPrinter() {
  const CupsConnections::Lease lease = connections_->acquire();
  http_t* http = lease.http();
  if (!http) return {};
  const char* name = cupsGetDefault2(http);
  return name ? QString::fromUtf8(name) : QString();
}

std::optional<PrinterInfo> CupsSpooler::printerInfo(const QString& queue) {
  const CupsConnections::Lease lease = connections_->acquire();
  http_t* http = lease.http();
  if (!http) return std::nullopt;
  static const char* const kAttrs[] = {"printer-name",  "printer-make-and-model",
                                       "device-uri",    "printer-state",
                                       "printer-state-reasons", "printer-is-accepting-jobs"};
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               queueUri(*connections_, queue).constData());
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                int(sizeof kAttrs / sizeof *kAttrs), nullptr, kAttrs);
  ipp_t* response = cupsDoRequest(http, request, "/");
  if (!response) return std::nullopt;
  if (ippGetStatusCode(response) > IPP_STATUS_OK_EVENTS_COMPLETE) {
    ippDelete(response);
    return std::nullopt;
  }
  PrinterInfo info;
  info.printerName = latin1Text(response, ippFindAttribute(response, "printer-name", IPP_TAG_NAME));
  info.driverName =
      latin1Text(response, ippFindAttribute(response, "printer-make-and-model", IPP_TAG_TEXT));
  info.portName = latin1Text(response, ippFindAttribute(response, "device-uri", IPP_TAG_URI));
  ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
  info.status = printerStatusWord(
      state ? ippGetInteger(state, 0) : IPP_PSTATE_IDLE,
      keywords(ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD)));
  // A queue that rejects jobs cannot be printed to, whatever its state.
  ipp_attribute_t* accepting =
      ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  info.acceptingJobs = !accepting || ippGetBoolean(accepting, 0);
  if (!info.acceptingJobs) info.status |= PrinterStatus::NotAvailable;
  ippDelete(response);
  return info;
}

std::optional<std::vector<JobInfo>> CupsSpooler::jobs(const QString& queue) {
  const CupsConnections::Lease lease = connections_->acquire();
  http_t* http = lease.http();
  if (!http) return std::nullopt;
  static const char* const kAttrs[] = {"job-id",
                                       "job-name",
                                       "job-state",
                                       "job-state-reasons",
                                       "job-printer-state-message",
                                       "job-impressions"};
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               queueUri(*connections_, queue).constData());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr,
               "not-completed");
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                int(sizeof kAttrs / sizeof *kAttrs), nullptr, kAttrs);
  // No "limit": the whole queue is read, however long.
  ipp_t* response = cupsDoRequest(http, request, "/");
  if (!response) return std::nullopt;
  if (ippGetStatusCode(response) > IPP_STATUS_OK_EVENTS_COMPLETE) {
    ippDelete(response);
    return std::nullopt;
  }
  std::vector<JobInfo> out;
  JobInfo job;
  int state = 0;
  std::vector<QByteArray> reasons;
  bool inJob = false;
  auto flush = [&] {
    if (inJob && job.id != 0) {
      job.status = jobStatusWord(state, reasons);
      out.push_back(job);
    }
    job = JobInfo{};
    state = 0;
    reasons.clear();
    inJob = false;
  };
  for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
    if (ippGetGroupTag(a) != IPP_TAG_JOB) {
      flush();
      continue;
    }
    inJob = true;
    const char* name = ippGetName(a);
    if (!name) continue;
    if (!std::strcmp(name, "job-id")) {
      job.id = std::uint32_t(ippGetInteger(a, 0));
    } else if (!std::strcmp(name, "job-name")) {
      job.document = latin1Text(response, a);
    } else if (!std::strcmp(name, "job-state")) {
      state = ippGetInteger(a, 0);
    } else if (!std::strcmp(name, "job-state-reasons")) {
      reasons = keywords(a);
    } else if (!std::strcmp(name, "job-printer-state-message")) {
      std::optional<QByteArray> text = latin1Text(response, a);
      if (text && !text->isEmpty()) job.statusText = text;
    } else if (!std::strcmp(name, "job-impressions")) {
      int v = ippGetInteger(a, 0);
      job.totalPages = v > 0 ? std::uint32_t(v) : 0;
    }
  }
  flush();
  ippDelete(response);
  return out;
}

SubmitResult CupsSpooler::submitRaw(const QString& queue, const QString& documentName,
                                    const QByteArray& data) {
  // A scheduler that cannot be reached leaves the queue as unopened as a name it
  // does not know: both get the unknown-queue box, not a silent loss of the job.
  const CupsConnections::Lease lease = connections_->acquire();
  http_t* http = lease.http();
  if (!http) return {SubmitResult::UnknownQueue, 0, lastCupsError()};
  const QByteArray name = queue.toUtf8();
  const QByteArray title = documentName.toUtf8();
  // Create-Job by hand rather than cupsCreateJob(): that looks the destination up
  // first and reports an unknown queue as an internal error. A busy scheduler is
  // asked again, waiting longer each time, until the retry time is used up.
  QElapsedTimer elapsed;
  elapsed.start();
  int pause = 100;
  int jobId = 0;
  for (;;) {
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 queueUri(*connections_, queue).constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                 title.constData());
    ipp_t* response = cupsDoRequest(http, request, "/");
    const ipp_status_t status = response ? ippGetStatusCode(response) : cupsLastError();
    ipp_attribute_t* idAttr =
        response ? ippFindAttribute(response, "job-id", IPP_TAG_INTEGER) : nullptr;
    jobId = idAttr ? ippGetInteger(idAttr, 0) : 0;
    ippDelete(response);
    if (busyAnswer(status) && elapsed.elapsed() + pause <= retryMs_) {
      QThread::msleep(static_cast<unsigned long>(pause));
      pause = std::min(pause * 2, 2000);
      continue;
    }
    // No answer from the scheduler.
    if (!response && !busyAnswer(status))
      return {SubmitResult::UnknownQueue, 0, lastCupsError()};
    if (status == IPP_STATUS_ERROR_NOT_FOUND)
      return {SubmitResult::UnknownQueue, 0, lastCupsError()};
    if (status > IPP_STATUS_OK_EVENTS_COMPLETE || jobId <= 0)
      return {SubmitResult::Failed, 0, lastCupsError()};
    break;
  }
  const std::uint32_t id = static_cast<std::uint32_t>(jobId);
  if (cupsStartDocument(http, name.constData(), jobId, title.constData(), CUPS_FORMAT_RAW, 1) !=
      HTTP_STATUS_CONTINUE) {
    const QString reason = lastCupsError();
    cupsCancelJob2(http, name.constData(), jobId, 0);
    return {SubmitResult::Failed, id, reason};
  }
  if (!data.isEmpty() &&
      cupsWriteRequestData(http, data.constData(), size_t(data.size())) != HTTP_STATUS_CONTINUE) {
    const QString reason = lastCupsError();
    cupsFinishDocument(http, name.constData());
    cupsCancelJob2(http, name.constData(), jobId, 0);
    return {SubmitResult::Failed, id, reason};
  }
  if (cupsFinishDocument(http, name.constData()) > IPP_STATUS_OK_EVENTS_COMPLETE)
    return {SubmitResult::Failed, id, lastCupsError()};
  return {SubmitResult::Submitted, id, {}};
}

std::optional<JobEnd> CupsSpooler::jobEnd(const QString& /*queue*/, std::uint32_t jobId) {
  const CupsConnections::Lease lease = connections_->acquire();
  http_t* http = lease.http();
  if (!http || jobId == 0) return std::nullopt;
  static const char* const kAttrs[] = {"job-state"};
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr,
                   connections_->uriHost().constData(), connections_->uriPort(), "/jobs/%u",
                   unsigned(jobId));
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr,
                kAttrs);
  ipp_t* response = cupsDoRequest(http, request, "/");
  if (!response) return std::nullopt;
  std::optional<JobEnd> end;
  if (ippGetStatusCode(response) == IPP_STATUS_ERROR_NOT_FOUND) end = JobEnd::Gone;
  ipp_attribute_t* state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
  if (ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE && state) {
    switch (ippGetInteger(state, 0)) {
      case IPP_JSTATE_COMPLETED: end = JobEnd::Completed; break;
      case IPP_JSTATE_CANCELED: end = JobEnd::Canceled; break;
      case IPP_JSTATE_ABORTED: end = JobEnd::Aborted; break;
      default: end = JobEnd::Active; break;
    }
  }
  ippDelete(response);
  return end;
}

bool CupsSpooler::cancelJob(const QString& queue, std::uint32_t jobId) {
  const CupsConnections::Lease lease = connections_->acquire();
  http_t* http = lease.http();
  if (!http || jobId == 0) return false;
  return cupsCancelJob2(http, queue.toUtf8().constData(), int(jobId), 0) == IPP_STATUS_OK;
}

}  // namespace tlw
