#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tlw {

// One installed print queue as the printer list shows it.
struct PrinterEntry {
  QString name;        // queue name
  QString driverName;  // printer-make-and-model
  QString portName;    // device-uri
};

// What the spooler knows about one queue. A text that the spooler did not supply
// is std::nullopt (the status reader then shows a single blank).
struct PrinterInfo {
  std::optional<QByteArray> printerName;
  std::optional<QByteArray> driverName;
  std::optional<QByteArray> portName;
  std::uint32_t status = 0;  // bit values of the printer status table (0 = ready)
};

// One active job of a queue, in the scheduler's order.
struct JobInfo {
  std::uint32_t id = 0;
  std::optional<QByteArray> document;    // job name
  std::optional<QByteArray> statusText;  // driver's own status string, nullopt when none
  std::uint32_t status = 0;              // bit values of the job status table
  std::uint32_t totalPages = 0;
};

enum class SubmitResult { Submitted, UnknownQueue, Failed };

// The print spooler: the only road to the printer. CupsSpooler is the real one;
// tests use FakeSpooler.
class Spooler {
 public:
  virtual ~Spooler() = default;

  // Every installed queue with its driver and port, in the system's order.
  // One request to the scheduler however many queues there are.
  virtual std::vector<PrinterEntry> listPrinters() = 0;
  // The system's default queue, empty when there is none.
  virtual QString defaultPrinter() = 0;
  // Printer information of one queue; nullopt when the queue cannot be opened or read.
  virtual std::optional<PrinterInfo> printerInfo(const QString& queue) = 0;
  // The active jobs of one queue; nullopt when the list cannot be read.
  virtual std::optional<std::vector<JobInfo>> jobs(const QString& queue) = 0;
  // Puts `data` into the queue as one raw document named `documentName`.
  virtual SubmitResult submitRaw(const QString& queue, const QString& documentName,
                                 const QByteArray& data) = 0;
  // Deletes one job; false when the spooler refused.
  virtual bool cancelJob(const QString& queue, std::uint32_t jobId) = 0;
};

}  // namespace tlw
