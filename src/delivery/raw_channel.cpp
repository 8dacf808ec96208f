#include "delivery/raw_channel.h"

#include "core/context.h"
#include "delivery/status_reader.h"
#include "platform/prompts.h"
#include "platform/spooler.h"

namespace tlw {

SubmitResult SendRawJob(AppContext& ctx, const QByteArray& text) {
  Spooler* spooler = ctx.services.spooler;
  if (!spooler) return {SubmitResult::Failed, 0, QStringLiteral("no print spooler")};
  // Start, write and finish problems show no box here: the job runner judges
  // delivery from the queue afterwards. The spooler's reason goes to the log.
  const SubmitResult result =
      spooler->submitRaw(ctx.printer.CurrentPrinter, QString::fromLatin1(JobDocumentName), text);
  if (result != SubmitResult::Submitted && ctx.log.enabled())
    ctx.log.write(QStringLiteral("SendRawJob: ") + result.reason);
  if (result == SubmitResult::UnknownQueue && ctx.services.prompts) {
    MessageBox box;
    box.text = QStringLiteral("The Printer Name you typed wasn't recognized.");
    box.icon = BoxIcon::None;
    box.buttons = BoxButtons::Ok;
    ctx.services.prompts->show(box);
  }
  return result;
}

void KillPrintJob(AppContext& ctx, const QString& printerName, std::uint32_t jobId) {
  if (Spooler* spooler = ctx.services.spooler) spooler->cancelJob(printerName, jobId);
}

void PurgePrintQueue(AppContext& ctx) {
  if (ctx.log.enabled()) ctx.log.write(QStringLiteral("...PurgePrintQueue"));
  Spooler* spooler = ctx.services.spooler;
  if (!spooler) return;
  const QString queue = ctx.printer.CurrentPrinter;
  // The printer must answer before its queue is read; any failure ends the purge quietly.
  if (!spooler->printerInfo(queue)) return;
  std::optional<std::vector<JobInfo>> jobs = spooler->jobs(queue);
  if (!jobs) return;
  const QByteArray ours(JobDocumentName);
  for (const JobInfo& job : *jobs) {
    if (!StringFromPointer(job.document).contains(ours)) continue;
    if (ctx.log.enabled())
      ctx.log.write(QStringLiteral("...KillPrintJob ") + QString::number(job.id));
    KillPrintJob(ctx, queue, job.id);
  }
}

}  // namespace tlw
