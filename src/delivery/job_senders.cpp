#include "delivery/job_senders.h"

#include "core/context.h"
#include "core/settings.h"
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

Flag SendCfgCmd(AppContext& ctx) {
  if (!ctx.settings) return kFalse;
  const BuiltJob job = BuildCfgJob(*ctx.settings);
  if (job.refused) {
    logRefusal(ctx, StepKind::Update, job.problem);
    return kFalse;
  }
  if (job.text.isEmpty()) return kFalse;
  send(ctx, StepKind::Update, job.text);
  return kTrue;
}

Flag SendEmuCmd(AppContext& ctx, std::int16_t n) {
  if (!ctx.settings) return kFalse;
  const BuiltJob job = BuildEmuJob(*ctx.settings, n, ctx.options.UseOldEmulationCmd);
  if (job.refused) {
    logRefusal(ctx, StepKind::Emulation, job.problem);
    return kFalse;
  }
  send(ctx, StepKind::Emulation, job.text);
  return kTrue;
}

void SendLoadCfgCmd(AppContext& ctx, std::int16_t n) {
  send(ctx, StepKind::Load, BuildLoadCfgJob(n));
}

void SendCalibrateCmd(AppContext& ctx) { send(ctx, StepKind::Calibrate, BuildCalibrateJob()); }

void SendSaveCfgCmd(AppContext& ctx, std::int16_t n) {
  send(ctx, StepKind::Save, BuildSaveCfgJob(n));
}

void SendSetPowerUpCmd(AppContext& ctx, std::int16_t n) {
  send(ctx, StepKind::PowerUp, BuildSetPowerUpJob(n));
}

void SendEmptyJob(AppContext& ctx) { SendRawJob(ctx, BuildEmptyJob()); }

}  // namespace tlw
