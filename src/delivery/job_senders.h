#pragma once
#include <QByteArray>
#include <QString>

#include "platform/spooler.h"

namespace tlw {

struct AppContext;
class DebugLog;
struct RunStep;

// Senders: hand a job to SendRawJob, then, with the debug log on, log the tag, CR LF
// and the job, and then the tag and CR LF alone.

// Logs a job the way its sender does (also used for the jobs of a dry run).
void LogJob(DebugLog& log, const QString& tag, const QByteArray& job);

// Sends one step of a run plan and returns what the spooler made of the job. A
// refused step logs "<tag>refused: <why>" and sends nothing (Failed, with that reason).
SubmitResult SendPlannedStep(AppContext& ctx, const RunStep& step);

// The probe: the framing lines alone, not logged.
void SendEmptyJob(AppContext& ctx);

}  // namespace tlw
