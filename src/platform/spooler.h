#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tlw {

// Printer status bits: the values of the printer status table. Several may be set.
namespace PrinterStatus {
constexpr std::uint32_t Paused = 0x00000001;
constexpr std::uint32_t Error = 0x00000002;
constexpr std::uint32_t PendingDeletion = 0x00000004;
constexpr std::uint32_t PaperJam = 0x00000008;
constexpr std::uint32_t PaperOut = 0x00000010;
constexpr std::uint32_t ManualFeed = 0x00000020;
constexpr std::uint32_t PageProblem = 0x00000040;
constexpr std::uint32_t Offline = 0x00000080;
constexpr std::uint32_t IoActive = 0x00000100;
constexpr std::uint32_t Busy = 0x00000200;
constexpr std::uint32_t Printing = 0x00000400;
constexpr std::uint32_t OutputBinFull = 0x00000800;
constexpr std::uint32_t NotAvailable = 0x00001000;
constexpr std::uint32_t Waiting = 0x00002000;
constexpr std::uint32_t Processing = 0x00004000;
constexpr std::uint32_t Initializing = 0x00008000;
constexpr std::uint32_t WarmingUp = 0x00010000;
constexpr std::uint32_t TonerLow = 0x00020000;
constexpr std::uint32_t NoToner = 0x00040000;
constexpr std::uint32_t PagePunt = 0x00080000;
constexpr std::uint32_t UserIntervention = 0x00100000;
constexpr std::uint32_t OutOfMemory = 0x00200000;
constexpr std::uint32_t DoorOpen = 0x00400000;
}  // namespace PrinterStatus

// Job status bits: the values of the job status table.
namespace JobStatus {
constexpr std::uint32_t Paused = 0x0001;
constexpr std::uint32_t Error = 0x0002;
constexpr std::uint32_t Deleting = 0x0004;
constexpr std::uint32_t Spooling = 0x0008;
constexpr std::uint32_t Printing = 0x0010;
constexpr std::uint32_t Offline = 0x0020;
constexpr std::uint32_t PaperOut = 0x0040;
constexpr std::uint32_t Printed = 0x0080;
constexpr std::uint32_t Deleted = 0x0100;
constexpr std::uint32_t UserIntervention = 0x0400;
}  // namespace JobStatus

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
  bool acceptingJobs = true;  // false: the queue refuses new jobs (NotAvailable is set too)
};

// One active job of a queue, in the scheduler's order.
struct JobInfo {
  std::uint32_t id = 0;
  std::optional<QByteArray> document;    // job name
  std::optional<QByteArray> statusText;  // driver's own status string, nullopt when none
  std::uint32_t status = 0;              // bit values of the job status table
  std::uint32_t totalPages = 0;
};

// Where one job stands: still in the queue (pending, held, printing, stopped), or
// how it left it. Gone: the spooler no longer knows the job (it keeps no history
// of ended jobs), so it left the queue one way or another.
enum class JobEnd { Active, Completed, Canceled, Aborted, Gone };

// What became of a document handed to the spooler: the job it created, or why
// there is none. Compares equal to its status.
struct SubmitResult {
  enum Status { Submitted, UnknownQueue, Failed };
  SubmitResult(Status s = Failed, std::uint32_t id = 0, QString why = {})
      : status(s), jobId(id), reason(std::move(why)) {}
  bool operator==(Status s) const { return status == s; }
  bool operator!=(Status s) const { return status != s; }

  Status status;
  std::uint32_t jobId;  // the spooler's id of the new job; 0 when none was made
  QString reason;       // the spooler's own words for a failure
};

// The print spooler: the only road to the printer. CupsSpooler is the real one;
// tests use FakeSpooler.
class Spooler {
 public:
  virtual ~Spooler() = default;

  // Every installed queue with its driver and port, in the system's order.
  // One request to the scheduler however many queues there are. Empty, with
  // lastError() set, when the scheduler could not be asked.
  virtual std::vector<PrinterEntry> listPrinters() = 0;
  // The system's default queue, empty when there is none.
  virtual QString defaultPrinter() = 0;
  // Printer information of one queue; nullopt when the queue cannot be opened or read.
  virtual std::optional<PrinterInfo> printerInfo(const QString& queue) = 0;
  // The active jobs of one queue; nullopt when the list cannot be read.
  virtual std::optional<std::vector<JobInfo>> jobs(const QString& queue) = 0;
  // Puts `data` into the queue as one raw document named `documentName`; says
  // which job holds it, or why none does.
  virtual SubmitResult submitRaw(const QString& queue, const QString& documentName,
                                 const QByteArray& data) = 0;
  // Where the job of that id stands, also after it left the queue; nullopt when the
  // spooler cannot tell (unknown id, unreadable).
  virtual std::optional<JobEnd> jobEnd(const QString& queue, std::uint32_t jobId) = 0;
  // Deletes one job; false when the spooler refused.
  virtual bool cancelJob(const QString& queue, std::uint32_t jobId) = 0;
  // The spooler's words for why the last listPrinters() could not reach it;
  // empty after it answered.
  virtual QString lastError() const = 0;
};

}  // namespace tlw
