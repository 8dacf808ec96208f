#include "fake_spooler.h"

#include <algorithm>

namespace tlw::test {

const FakeSpooler::Queue* FakeSpooler::find(const QString& name) const {
  for (const Queue& q : queues_)
    if (q.name.compare(name, Qt::CaseInsensitive) == 0) return &q;
  return nullptr;
}

FakeSpooler::Queue* FakeSpooler::find(const QString& name) {
  return const_cast<Queue*>(static_cast<const FakeSpooler*>(this)->find(name));
}

std::vector<PrinterEntry> FakeSpooler::listPrinters() {
  ++listPrintersCalls;
  std::vector<PrinterEntry> out;
  if (unreachable) return out;
  out.reserve(queues_.size());
  for (const Queue& q : queues_)
    out.push_back({q.name, q.driverName ? QString::fromLatin1(*q.driverName) : QString(),
                   q.portName ? QString::fromLatin1(*q.portName) : QString()});
  return out;
}

std::optional<PrinterInfo> FakeSpooler::printerInfo(const QString& name) {
  ++printerInfoCalls;
  if (failPrinterInfo) return std::nullopt;
  const Queue* q = find(name);
  if (!q) return std::nullopt;
  PrinterInfo info;
  info.printerName = q->name.toLatin1();
  info.driverName = q->driverName;
  info.portName = q->portName;
  info.status = q->status | (q->accepting ? 0 : PrinterStatus::NotAvailable);
  info.acceptingJobs = q->accepting;
  return info;
}

std::optional<std::vector<JobInfo>> FakeSpooler::jobs(const QString& name) {
  ++jobsCalls;
  if (failJobs) return std::nullopt;
  const Queue* q = find(name);
  if (!q) return std::nullopt;
  return q->jobs;
}

SubmitResult FakeSpooler::submitRaw(const QString& name, const QString& documentName,
                                    const QByteArray& data) {
  Queue* q = find(name);
  SubmitResult r = !q          ? SubmitResult(SubmitResult::UnknownQueue, 0, QStringLiteral("The printer or class does not exist."))
                   : (failSubmit || !q->accepting)
                       ? SubmitResult(SubmitResult::Failed, 0, QStringLiteral("Printer not accepting jobs."))
                                : SubmitResult(SubmitResult::Submitted, nextJobId_);
  submitted.push_back({name, documentName, data, r});
  if (r == SubmitResult::Submitted) {
    JobInfo j;
    j.id = nextJobId_++;
    j.document = documentName.toLatin1();
    j.totalPages = 1;
    q->jobs.push_back(j);
  }
  return r;
}

bool FakeSpooler::endJob(const QString& name, std::uint32_t jobId, JobEnd how) {
  Queue* q = find(name);
  if (!q) return false;
  auto it = std::find_if(q->jobs.begin(), q->jobs.end(),
                         [&](const JobInfo& j) { return j.id == jobId; });
  if (it == q->jobs.end()) return false;
  q->jobs.erase(it);
  ended_[jobId] = how;
  return true;
}

bool FakeSpooler::cancelJob(const QString& name, std::uint32_t jobId) {
  if (failCancel || !endJob(name, jobId, JobEnd::Canceled)) return false;
  cancelled.emplace_back(find(name)->name, jobId);
  return true;
}

std::optional<JobEnd> FakeSpooler::jobEnd(const QString& name, std::uint32_t jobId) {
  if (failJobEnd) return std::nullopt;
  const auto ended = ended_.find(jobId);
  if (ended != ended_.end()) return ended->second;
  if (const Queue* q = find(name))
    for (const JobInfo& j : q->jobs)
      if (j.id == jobId) return JobEnd::Active;
  return std::nullopt;
}

bool FakeSpooler::abortJob(const QString& name, std::uint32_t jobId) {
  return endJob(name, jobId, JobEnd::Aborted);
}

void FakeSpooler::setAccepting(const QString& name, bool accepting) {
  if (Queue* q = find(name)) q->accepting = accepting;
}

FakeSpooler::Queue& FakeSpooler::addPrinter(const QString& name, const QString& driver,
                                            const QString& port, std::uint32_t status) {
  Queue* q = find(name);
  if (!q) {
    queues_.push_back(Queue{});
    q = &queues_.back();
    q->name = name;
  }
  q->driverName = driver.toLatin1();
  q->portName = port.toLatin1();
  q->status = status;
  return *q;
}

void FakeSpooler::removePrinter(const QString& name) {
  queues_.erase(std::remove_if(queues_.begin(), queues_.end(),
                               [&](const Queue& q) {
                                 return q.name.compare(name, Qt::CaseInsensitive) == 0;
                               }),
                queues_.end());
}

FakeSpooler::Queue* FakeSpooler::queue(const QString& name) { return find(name); }

void FakeSpooler::setPrinterStatus(const QString& name, std::uint32_t status) {
  if (Queue* q = find(name)) q->status = status;
}

std::uint32_t FakeSpooler::addJob(const QString& name, std::optional<QByteArray> document,
                                  std::uint32_t status, std::optional<QByteArray> statusText,
                                  std::uint32_t totalPages) {
  Queue* q = find(name);
  if (!q) return 0;
  JobInfo j;
  j.id = nextJobId_++;
  j.document = std::move(document);
  j.status = status;
  j.statusText = std::move(statusText);
  j.totalPages = totalPages;
  q->jobs.push_back(std::move(j));
  return q->jobs.back().id;
}

bool FakeSpooler::removeFirstJob(const QString& name) {
  Queue* q = find(name);
  if (!q || q->jobs.empty()) return false;
  ended_[q->jobs.front().id] = JobEnd::Completed;
  q->jobs.erase(q->jobs.begin());
  return true;
}

void FakeSpooler::takeAll(const QString& name) {
  Queue* q = find(name);
  if (!q) return;
  for (const JobInfo& j : q->jobs) ended_[j.id] = JobEnd::Completed;
  q->jobs.clear();
}

std::size_t FakeSpooler::jobCount(const QString& name) const {
  const Queue* q = find(name);
  return q ? q->jobs.size() : 0;
}

}  // namespace tlw::test
