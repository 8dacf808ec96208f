#include "delivery/status_reader.h"

#include <QStringList>

#include "core/context.h"
#include "platform/spooler.h"

namespace tlw {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kMaxSpoolerText = 256;

struct StatusText {
  std::uint32_t bit;
  const char* text;
};

// Printer status bits in the order they are tested and joined.
constexpr StatusText kPrinterStatusTexts[] = {
    {PrinterStatus::Busy, "Busy  "},
    {PrinterStatus::DoorOpen, "Printer Door Open  "},
    {PrinterStatus::Error, "Printer Error  "},
    {PrinterStatus::Initializing, "Initializing  "},
    {PrinterStatus::IoActive, "I/O Active  "},
    {PrinterStatus::ManualFeed, "Manual Feed  "},
    {PrinterStatus::NoToner, "No Toner  "},
    {PrinterStatus::NotAvailable, "Not Available  "},
    {PrinterStatus::Offline, "Off Line  "},
    {PrinterStatus::OutOfMemory, "Out of Memory  "},
    {PrinterStatus::OutputBinFull, "Output Bin Full  "},
    {PrinterStatus::PagePunt, "Page Punt  "},
    {PrinterStatus::PaperJam, "Paper Jam  "},
    {PrinterStatus::PaperOut, "Paper Out  "},
    {PrinterStatus::PageProblem, "Page Problem  "},
    {PrinterStatus::Paused, "Paused  "},
    {PrinterStatus::PendingDeletion, "Pending Deletion  "},
    {PrinterStatus::Printing, "Printing  "},
    {PrinterStatus::Processing, "Processing  "},
    {PrinterStatus::TonerLow, "Toner Low  "},
    {PrinterStatus::UserIntervention, "User Intervention  "},
    {PrinterStatus::Waiting, "Waiting  "},
    {PrinterStatus::WarmingUp, "Warming Up  "},
};

// Job status bits in the order they are tested and joined.
constexpr StatusText kJobStatusTexts[] = {
    {JobStatus::Spooling, "Spooling  "},
    {JobStatus::Offline, "Off line  "},
    {JobStatus::Paused, "Paused  "},
    {JobStatus::Error, "Error  "},
    {JobStatus::PaperOut, "Paper Out  "},
    {JobStatus::Printing, "Printing  "},
    {JobStatus::UserIntervention, "User Intervention Needed  "},
};

template <std::size_t N>
QString joinedTexts(const StatusText (&table)[N], std::uint32_t status) {
  QString words;
  for (const StatusText& entry : table)
    if (status & entry.bit) words += QLatin1String(entry.text);
  if (words.isEmpty())
    words = QStringLiteral("Unknown Status of ") + QString::number(static_cast<qint32>(status));
  return words;
}

void debugLog(AppContext& ctx, const QString& line) {
  if (ctx.log.enabled()) ctx.log.write(line);
}

QString spoolerText(const std::optional<QByteArray>& text) {
  return QString::fromLatin1(StringFromPointer(text));
}

}  // namespace

QByteArray StringFromPointer(const std::optional<QByteArray>& text) {
  if (!text) return QByteArray(" ");
  QByteArray bytes = text->left(kMaxSpoolerText);
  const int nul = bytes.indexOf('\0');
  if (nul >= 0) bytes.truncate(nul);
  return bytes;
}

QString CheckPrinterStatus(AppContext& ctx, std::uint32_t status) {
  debugLog(ctx, QStringLiteral("...CheckPrinterStatus"));
  if (status == 0) return QStringLiteral("Printer Status = Ready") + kCrLf;
  return QStringLiteral("Printer Status = ") + joinedTexts(kPrinterStatusTexts, status) + kCrLf;
}

bool CheckPrinter(AppContext& ctx, QString& printerReport, QString& jobReport) {
  debugLog(ctx, QStringLiteral("...CheckPrinter"));
  Spooler* spooler = ctx.services.spooler;
  if (!spooler) return false;
  const QString queue = ctx.printer.CurrentPrinter;

  std::optional<PrinterInfo> info = spooler->printerInfo(queue);
  if (!info) return false;
  printerReport = CheckPrinterStatus(ctx, info->status) + QStringLiteral("Printer Name = ") +
                  spoolerText(info->printerName) + kCrLf + QStringLiteral("Printer Driver Name = ") +
                  spoolerText(info->driverName) + kCrLf + QStringLiteral("Printer Port Name = ") +
                  spoolerText(info->portName) + kCrLf;

  std::optional<std::vector<JobInfo>> jobs = spooler->jobs(queue);
  if (!jobs) return false;  // the job report keeps what it held
  if (jobs->empty()) {
    jobReport = QStringLiteral("No Print Jobs!");
    return true;
  }
  QString report;
  for (const JobInfo& job : *jobs) {
    report += QStringLiteral("Job ID = ") + QString::number(job.id) + kCrLf;
    report += QStringLiteral("Total Pages = ") + QString::number(job.totalPages) + kCrLf;
    if (job.statusText)
      report += spoolerText(job.statusText);
    else if (job.status == 0)
      report += QStringLiteral("Ready!  ") + kCrLf;
    else
      report += joinedTexts(kJobStatusTexts, job.status);
    report += kCrLf;
  }
  jobReport = report;
  return true;
}

QString getPrinterStatus(AppContext& ctx, const QString& printerReport, QString& portName,
                         QString& driverName) {
  debugLog(ctx, QStringLiteral("...getPrinterStatus"));
  const QStringList lines = printerReport.split(kCrLf);
  if (lines.size() == 1) {
    debugLog(ctx, QStringLiteral("...PrinterVar=0 :") + printerReport);
    return QString();
  }
  const QString sep = QStringLiteral("= ");
  QString status;
  for (const QString& line : lines) {
    if (line.contains(QLatin1String("Printer Status = "))) {
      const QStringList parts = line.split(sep);
      if (parts.size() >= 2) status = parts[1];
    }
    if (line.contains(QLatin1String("Printer Port Name = "))) {
      const QStringList parts = line.split(sep);
      if (parts.size() >= 2) portName = parts[1];
      break;
    } else if (line.contains(QLatin1String("Printer Driver Name = "))) {
      const QStringList parts = line.split(sep);
      if (parts.size() >= 2) driverName = parts[1];
    }
  }
  return status;
}

QString getJobStatus(AppContext& ctx, const QString& jobReport, QString& firstJobId) {
  debugLog(ctx, QStringLiteral("...getJobStatus"));
  const QString noJobs = QStringLiteral("No Print Jobs!");
  if (jobReport == noJobs) {
    debugLog(ctx, QStringLiteral("...[ No Print Jobs ]"));
    return noJobs;
  }
  const QStringList lines = jobReport.split(kCrLf);
  if (lines.size() == 1) {
    debugLog(ctx, QStringLiteral("...JobVar=0 :") + jobReport);
    return QString();
  }
  const QStringList idParts = lines[0].split(QStringLiteral("= "));
  if (idParts.size() < 2) {
    firstJobId = QStringLiteral("0");
    return jobReport;
  }
  firstJobId = idParts[1];
  const int last = lines.size() - 1;
  int start = 2;
  if (last < 2) {
    start = 0;
    debugLog(ctx, QStringLiteral("...start=0 : UBound= ") + QString::number(last));
  }
  QString status;
  for (int i = start; i <= last; ++i) status += lines[i];
  return status;
}

}  // namespace tlw
