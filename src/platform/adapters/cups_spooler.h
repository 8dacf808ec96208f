#pragma once
#include <QString>
#include <cstdint>
#include <memory>

#include "platform/adapters/cups_connections.h"
#include "platform/spooler.h"

namespace tlw {

// The Spooler on libcups. It talks to the scheduler of its connection set: by
// default one connection, kept open, to whatever scheduler the environment names
// (CUPS_SERVER, else the system's); several spoolers on several threads may share
// a bounded set.
// Every request asks only for the attributes the wizard uses: on queues of
// hundreds of jobs or printers that is most of the cost.
class CupsSpooler : public Spooler {
 public:
  explicit CupsSpooler(std::shared_ptr<CupsConnections> connections = nullptr);
  ~CupsSpooler() override;
  CupsSpooler(const CupsSpooler&) = delete;
  CupsSpooler& operator=(const CupsSpooler&) = delete;

  std::vector<PrinterEntry> listPrinters() override;
  QString defaultPrinter() override;
  std::optional<PrinterInfo> printerInfo(const QString& queue) override;
  std::optional<std::vector<JobInfo>> jobs(const QString& queue) override;
  SubmitResult submitRaw(const QString& queue, const QString& documentName,
                         const QByteArray& data) override;
  std::optional<JobEnd> jobEnd(const QString& queue, std::uint32_t jobId) override;
  bool cancelJob(const QString& queue, std::uint32_t jobId) override;
  QString lastError() const override { return lastError_; }

  // The printer status word for a printer-state value (3 idle, 4 processing,
  // 5 stopped) and its printer-state-reasons keywords.
  static std::uint32_t printerStatusWord(int printerState, const std::vector<QByteArray>& reasons);
  // The job status word for a job-state value (3..9) and its job-state-reasons keywords.
  static std::uint32_t jobStatusWord(int jobState, const std::vector<QByteArray>& reasons);

  // How long a job submission asks a busy scheduler again before it gives up
  // (0, the default: never, as a window's thread must not block for long).
  void setBusyRetry(int milliseconds) { retryMs_ = milliseconds; }

 private:
  std::shared_ptr<CupsConnections> connections_;
  int retryMs_ = 0;
  QString lastError_;
};

}  // namespace tlw
