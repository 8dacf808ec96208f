#pragma once
#include <QString>
#include <cstdint>

#include "platform/spooler.h"

typedef struct _http_s http_t;

namespace tlw {

// The Spooler on libcups. It talks to whatever scheduler the environment names
// (CUPS_SERVER, else the system's), over one connection that it keeps open.
// Every request asks only for the attributes the wizard uses: on queues of
// hundreds of jobs or printers that is most of the cost.
class CupsSpooler : public Spooler {
 public:
  CupsSpooler();
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

 private:
  http_t* connection();

  http_t* http_ = nullptr;
  QString lastError_;
};

}  // namespace tlw
