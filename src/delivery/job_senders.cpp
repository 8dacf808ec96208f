#include "delivery/job_senders.h"

#include "core/context.h"
#include "delivery/raw_channel.h"
#include "setuplang/jobs.h"
#include "setuplang/run_plan.h"

namespace tlw {

namespace {

SubmitResult send(AppContext& ctx, StepKind kind, const QByteArray& text) {
  const SubmitResult result = SendRawJob(ctx, text);
  LogJob(ctx.log, StepLogTag(kind), text);
  return result;
}

void logRefusal(AppContext& ctx, StepKind kind, const QString& problem) {
  ctx.log.write(StepLogTag(kind) + QStringLiteral("refused: ") + problem);
}

}  // namespace

void LogJob(DebugLog& log, const QString& tag, const QByteArray& job) {
  log.write(tag + QStringLiteral("\r\n") + QString::fromLatin1(job));
  log.write(tag + QStringLiteral("\r\n"));
}

SubmitResult SendPlannedStep(AppContext& ctx, const RunStep& step) {
  if (!step.refusal.isEmpty()) {
    logRefusal(ctx, step.kind, step.refusal);
    return {SubmitResult::Failed, 0, step.refusal};
  }
  if (!step.sends()) return {SubmitResult::Failed, 0, QStringLiteral("nothing to send")};
  return send(ctx, step.kind, step.job);
}

void SendEmptyJob(AppContext& ctx) { SendRawJob(ctx, BuildEmptyJob()); }

}  // namespace tlw
