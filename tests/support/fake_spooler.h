#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "platform/spooler.h"

namespace tlw::test {

// An in-memory spooler that behaves like CUPS as the wizard sees it:
//  - queues in the order they were added, each with driver, port and status word;
//  - per-queue job lists in submission order with increasing ids (shared counter,
//    as the scheduler numbers jobs across all queues);
//  - submitRaw appends a job (status 0, no status text, 1 page) and records the bytes;
//    UnknownQueue for a name that is not installed (queue names compare without case,
//    as CUPS does);
//  - cancelJob removes the job; false when no such job.
// Helpers let a test play the printer ("the printer took the job") and make reads fail.
class FakeSpooler : public Spooler {
 public:
  struct Queue {
    QString name;
    std::optional<QByteArray> driverName;
    std::optional<QByteArray> portName;
    std::uint32_t status = 0;
    bool accepting = true;
    std::vector<JobInfo> jobs;
  };

  // One document handed to submitRaw (also the ones refused as UnknownQueue).
  struct Submission {
    QString queue;
    QString documentName;
    QByteArray data;
    SubmitResult result = SubmitResult::Submitted;
  };

  // --- Spooler ---
  std::vector<PrinterEntry> listPrinters() override;
  QString defaultPrinter() override { return defaultPrinter_; }
  std::optional<PrinterInfo> printerInfo(const QString& queue) override;
  std::optional<std::vector<JobInfo>> jobs(const QString& queue) override;
  SubmitResult submitRaw(const QString& queue, const QString& documentName,
                         const QByteArray& data) override;
  std::optional<JobEnd> jobEnd(const QString& queue, std::uint32_t jobId) override;
  bool cancelJob(const QString& queue, std::uint32_t jobId) override;
  QString lastError() const override { return unreachable ? QStringLiteral("No such file or directory") : QString(); }

  // --- set-up and inspection for tests ---
  // Adds (or replaces the details of) a queue. Returns it for further changes.
  Queue& addPrinter(const QString& name, const QString& driver = QStringLiteral("Zov 5820-K35 4in"),
                    const QString& port = QStringLiteral("socket://127.0.0.1:9100"),
                    std::uint32_t status = 0);
  void removePrinter(const QString& name);
  void setDefault(const QString& name) { defaultPrinter_ = name; }
  // The queue, or nullptr when not installed.
  Queue* queue(const QString& name);
  void setPrinterStatus(const QString& name, std::uint32_t status);
  // Appends a job with the given details; returns its id. Pass std::nullopt texts to
  // model a spooler that supplies none.
  std::uint32_t addJob(const QString& queue, std::optional<QByteArray> document,
                       std::uint32_t status = 0, std::optional<QByteArray> statusText = std::nullopt,
                       std::uint32_t totalPages = 1);
  // The printer took the first job (it leaves the queue). False when the queue is empty.
  bool removeFirstJob(const QString& queue);
  // The printer took every job of the queue.
  void takeAll(const QString& queue);
  // The scheduler ended a job without printing it (it leaves the queue as aborted).
  bool abortJob(const QString& queue, std::uint32_t jobId);
  // Whether the queue takes new jobs (submitRaw fails with the scheduler's words when not).
  void setAccepting(const QString& queue, bool accepting);
  std::size_t jobCount(const QString& queue) const;

  // While set, listPrinters finds no scheduler (empty list, lastError() set).
  bool unreachable = false;
  // Failing modes: while set, the call returns nullopt for every queue.
  bool failPrinterInfo = false;
  bool failJobs = false;
  // While set, submitRaw returns Failed (after recording the attempt) for known queues.
  bool failSubmit = false;
  // While set, cancelJob refuses (returns false, job stays).
  bool failCancel = false;
  // While set, jobEnd cannot tell (nullopt).
  bool failJobEnd = false;

  // Every submitRaw call, in order.
  std::vector<Submission> submitted;
  // Every successful cancelJob call as (queue, id), in order.
  std::vector<std::pair<QString, std::uint32_t>> cancelled;
  int listPrintersCalls = 0;
  int printerInfoCalls = 0;
  int jobsCalls = 0;

 private:
  // Takes a job out of its queue, remembering how it ended.
  bool endJob(const QString& name, std::uint32_t jobId, JobEnd how);
  const Queue* find(const QString& name) const;
  Queue* find(const QString& name);

  std::vector<Queue> queues_;
  QString defaultPrinter_;
  std::uint32_t nextJobId_ = 1;
  std::map<std::uint32_t, JobEnd> ended_;  // jobs that left their queue, and how
};

}  // namespace tlw::test
