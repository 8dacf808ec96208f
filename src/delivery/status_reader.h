#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace tlw {

struct AppContext;

// A text as the spooler supplied it: a single blank when it supplied none,
// otherwise its bytes up to the first NUL, at most 256 of them.
QByteArray StringFromPointer(const std::optional<QByteArray>& text);

// Refreshes both reports from the spooler for the CurrentPrinter. On a failure the
// reports keep what they held. True when the queue's job list was read.
bool CheckPrinter(AppContext& ctx, QString& printerReport, QString& jobReport);
// The first printer report line, CR LF included.
QString CheckPrinterStatus(AppContext& ctx, std::uint32_t status);
// Takes the status words, port name and driver name back out of a printer report.
QString getPrinterStatus(AppContext& ctx, const QString& printerReport, QString& portName,
                         QString& driverName);
// Takes the first job's id and the status text out of a job report.
QString getJobStatus(AppContext& ctx, const QString& jobReport, QString& firstJobId);

}  // namespace tlw
