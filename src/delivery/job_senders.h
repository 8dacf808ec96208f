#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "core/flags.h"
#include "platform/spooler.h"

namespace tlw {

struct AppContext;
class DebugLog;
struct RunStep;

// Senders: build a job from ctx.settings and the program-wide values, hand it to
// SendRawJob, then, with the debug log on, log the tag, CR LF and the job, and then
// the tag and CR LF alone. They never look at the outcome of the send.

// Logs a job the way its sender does (also used for the jobs of a dry run).
void LogJob(DebugLog& log, const QString& tag, const QByteArray& job);

// Sends one step of a run plan and returns what the spooler made of the job. A
// refused step logs "<tag>refused: <why>" and sends nothing (Failed, with that reason).
SubmitResult SendPlannedStep(AppContext& ctx, const RunStep& step);

// SendCfgCmd: true (-1) when a job was sent; false (0) when no setting of this
// job was selected or the job was refused (the refusal is logged).
Flag SendCfgCmd(AppContext& ctx);
// SendEmuCmd: true when sent, false when refused (nothing sent).
Flag SendEmuCmd(AppContext& ctx, std::int16_t n);
void SendLoadCfgCmd(AppContext& ctx, std::int16_t n);  // logged with "SendEmuCmd "
void SendCalibrateCmd(AppContext& ctx);
void SendSaveCfgCmd(AppContext& ctx, std::int16_t n);
void SendSetPowerUpCmd(AppContext& ctx, std::int16_t n);
void SendEmptyJob(AppContext& ctx);  // not logged

}  // namespace tlw
