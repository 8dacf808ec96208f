#pragma once
#include <QString>
#include <cstdint>

namespace tlw {

struct AppContext;

// Refreshes both reports from the spooler for the CurrentPrinter. On a failure the
// reports keep what they held.
void CheckPrinter(AppContext& ctx, QString& printerReport, QString& jobReport);
// The first printer report line, CR LF included.
QString CheckPrinterStatus(AppContext& ctx, std::uint32_t status);
// Takes the status words, port name and driver name back out of a printer report.
QString getPrinterStatus(AppContext& ctx, const QString& printerReport, QString& portName,
                         QString& driverName);
// Takes the first job's id and the status text out of a job report.
QString getJobStatus(AppContext& ctx, const QString& jobReport, QString& firstJobId);

}  // namespace tlw
