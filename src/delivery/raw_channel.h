#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "platform/spooler.h"

namespace tlw {

struct AppContext;

// Document name of every job the wizard sends; PurgePrintQueue looks for it.
inline const char* const JobDocumentName = "Tenlark Command";

// Sends `text` to the CurrentPrinter as one raw document named JobDocumentName and
// returns what the spooler made of it (the job id, or why there is none; a
// failure's reason goes to the debug log). An unknown queue shows "The Printer
// Name you typed wasn't recognized." and sends nothing.
SubmitResult SendRawJob(AppContext& ctx, const QByteArray& text);
// Deletes one job from the named queue; failures are ignored.
void KillPrintJob(AppContext& ctx, const QString& printerName, std::uint32_t jobId);
// Deletes every job of the CurrentPrinter whose name contains JobDocumentName.
void PurgePrintQueue(AppContext& ctx);

}  // namespace tlw
