#include "delivery/job_runner.h"

#include <algorithm>

#include "core/boxes.h"
#include "core/context.h"
#include "core/exit.h"
#include "core/navigator.h"
#include "delivery/front_panel.h"
#include "delivery/job_senders.h"
#include "delivery/raw_channel.h"
#include "delivery/status_reader.h"
#include "platform/clock.h"
#include "setuplang/run_plan.h"

namespace tlw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kReceivedOk = QStringLiteral("  ... Request received OK");
const QString kNoPrintJobs = QStringLiteral("No Print Jobs!");

// The wait after the probe job, in seconds.
constexpr int kProbeWait = 5;

}  // namespace

JobRunner::JobRunner(AppContext& ctx)
    : ctx_(ctx), noFrontPanel_(std::make_unique<NoFrontPanel>()) {
  frontPanel_ = noFrontPanel_.get();
}

JobRunner::~JobRunner() = default;

void JobRunner::setFrontPanelReader(FrontPanelReader* reader) {
  frontPanel_ = reader ? reader : noFrontPanel_.get();
}

void JobRunner::addObserver(RunObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void JobRunner::removeObserver(RunObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void JobRunner::requestStop() {
  if (!running_) return;
  stopRequested_ = true;
  if (ctx_.services.clock) ctx_.services.clock->wake();
}

bool JobRunner::stopped() const { return stopRequested_ || ctx_.exitStarted; }

// Observers are called one by one from a copy of the list; one that was removed
// by an earlier call (its window closed) is skipped.
void JobRunner::setProgress(int value) {
  progress_ = value;
  const std::vector<RunObserver*> list = observers_;
  for (RunObserver* o : list) {
    if (std::find(observers_.begin(), observers_.end(), o) != observers_.end())
      o->progressChanged(value);
  }
}

void JobRunner::notifyLog(const QString& line) {
  const std::vector<RunObserver*> list = observers_;
  for (RunObserver* o : list) {
    if (std::find(observers_.begin(), observers_.end(), o) != observers_.end())
      o->statusLogChanged(statusLog_, line);
  }
}

void JobRunner::setStatus(const QString& line) {
  statusLog_ = line;
  notifyLog(line);
}

void JobRunner::appendStatus(const QString& line) {
  statusLog_ += kCrLf + line;
  notifyLog(line);
}

void JobRunner::WaitSeconds(int n) {
  if (stopped()) return;
  if (!ctx_.services.clock) return;
  ctx_.services.clock->wait(static_cast<qint64>(n) * 1000, [this] { return stopped(); });
}

void JobRunner::Start_Job() {
  if (!ctx_.settings) return;
  Start_Job(BuildRunPlan(*ctx_.settings, ctx_.request, ctx_.options.UseOldEmulationCmd));
}

void JobRunner::Start_Job(const RunPlan& plan) {
  // A second Finish while a run waits, or a run after the program began to close,
  // must not start anything.
  if (running_ || ctx_.exitStarted) return;
  // The caller (a window) may be destroyed during the run; keep this object alive
  // until the run returns when it is shared-owned.
  const std::shared_ptr<JobRunner> keepAlive = weak_from_this().lock();
  running_ = true;
  stopRequested_ = false;
  failureReason_.clear();
  outcome_ = Outcome::NotRun;
  // The error box of an earlier, failed run leaves the flag set; it belongs to that run.
  ctx_.session.JobErrorFlag = kFalse;
  run(plan);
  running_ = false;
  if (outcome_ == Outcome::NotRun) outcome_ = stopped() ? Outcome::Stopped : Outcome::Configured;
}

void JobRunner::run(const RunPlan& plan) {
  ctx_.log.write(QStringLiteral("Begin Print"));
  setProgress(0);
  setStatus(QStringLiteral("Initializing ...."));

  // Every failed step ends the run: going on would end with "Printer Successfully
  // Configured." for a printer that was not.
  bool sentAny = false;
  for (const RunStep& step : plan.steps) {
    if (step.progressBefore >= 0) setProgress(step.progressBefore);
    if (!step.sends()) {
      SendPlannedStep(ctx_, step);  // logs a refusal, sends nothing
      continue;
    }
    if (step.announceFirst) appendStatus(step.statusLine);
    const SubmitResult sent = SendPlannedStep(ctx_, step);
    if (!step.announceFirst) appendStatus(step.statusLine);
    const Flag taken = Check_Job_Status(step.firstWait, sent);
    if (stopped()) {
      outcome_ = Outcome::Stopped;
      return;
    }
    if (!isSet(taken)) {
      outcome_ = Outcome::Failed;
      return;
    }
    sentAny = true;
  }

  setProgress(plan.progressAtEnd);
  appendStatus(QStringLiteral("Printer Successfully Configured."));
  ctx_.session.SettingsSent = kTrue;
  outcome_ = Outcome::Configured;
  // With nothing to send there is nothing to report as sent.
  if (sentAny) ShowSuccess(ctx_);
  ExitWizard(ctx_);
}

Flag JobRunner::Check_Job_Status(int firstWait, const SubmitResult& sent) {
  ctx_.log.write(QStringLiteral("...Check_Job_Status"));
  // A job the spooler never accepted cannot be taken by the printer.
  if (sent != SubmitResult::Submitted) {
    return fail(QStringLiteral("the print server refused the job: ") + sent.reason,
                QStringLiteral("Job Failure: not accepted: ") + sent.reason);
  }
  QString printerReport;
  QString jobReport;

  // First look: the job now at the head of the queue (none when it is empty).
  const bool firstRead = CheckPrinter(ctx_, printerReport, jobReport);
  getPrinterStatus(ctx_, printerReport, ctx_.printer.PrinterPortName,
                   ctx_.printer.PrinterDriverName);
  QString idBefore;
  getJobStatus(ctx_, jobReport, idBefore);
  ctx_.log.write(QStringLiteral("...Check_Job_Status: Got status msg"));

  WaitSeconds(firstWait);
  if (stopped()) return kFalse;
  // The probe: a printer that works takes it too, so the head of the queue changes.
  SendEmptyJob(ctx_);
  WaitSeconds(kProbeWait);
  if (stopped()) return kFalse;
  ctx_.log.write(QStringLiteral("...Check_Job_Status: Check status after dummy job"));

  // Second look. A read that fails keeps the first look's reports.
  const bool secondRead = CheckPrinter(ctx_, printerReport, jobReport);
  if (!firstRead && !secondRead) {
    return fail(QStringLiteral("the print queue could not be read"),
                QStringLiteral("Job Failure: the queue could not be read"));
  }
  // The job's own fate: the scheduler may have aborted it, or somebody cancelled it.
  // One whose fate cannot be read counts as still waiting.
  Spooler* spooler = ctx_.services.spooler;
  const JobEnd end = spooler ? spooler->jobEnd(ctx_.printer.CurrentPrinter, sent.jobId)
                                   .value_or(JobEnd::Active)
                             : JobEnd::Active;
  if (end == JobEnd::Aborted || end == JobEnd::Canceled) {
    const QString how = end == JobEnd::Aborted ? QStringLiteral("the print server aborted the job")
                                               : QStringLiteral("the job was cancelled");
    return fail(how, QStringLiteral("Job Failure: ") + QString::number(sent.jobId) +
                         QStringLiteral(" ") + how);
  }
  if (secondRead && jobReport == kNoPrintJobs) {
    appendStatus(kReceivedOk);
  } else {
    getPrinterStatus(ctx_, printerReport, ctx_.printer.PrinterPortName,
                     ctx_.printer.PrinterDriverName);
    QString idNow;
    getJobStatus(ctx_, jobReport, idNow);
    // With an empty queue at the first look no job of another step could have
    // stuck; the step's own job must have been printed, then (or, on a spooler that
    // keeps no history, be gone from a queue that could be read).
    const bool gone = end == JobEnd::Gone && secondRead &&
                      !jobReport.contains(QStringLiteral("Job ID = %1\r\n").arg(sent.jobId));
    const bool stuck =
        idBefore.isEmpty() ? !(end == JobEnd::Completed || gone) : idNow == idBefore;
    if (stuck) {
      return fail(QStringLiteral("the printer did not take a job"),
                  QStringLiteral("Job Failure:") + idBefore + QStringLiteral("Printer Status:") +
                      printerReport + QStringLiteral("Job Status:") + jobReport);
    }
    appendStatus(kReceivedOk);
  }
  ctx_.log.write(QStringLiteral("...Check_Job_Status: Exit"));
  return kTrue;
}

Flag JobRunner::fail(const QString& reason, const QString& logLine) {
  ctx_.log.write(logLine);
  failureReason_ = reason;
  JobFailure();
  return kFalse;
}

void JobRunner::JobFailure() {
  appendStatus(QStringLiteral("... Error Detected. The command failed. Program unable to continue."));
  const QString ip = frontPanel_->portIPAddress(ctx_, ctx_.printer.PrinterPortName);
  ctx_.log.write(QStringLiteral("JobFailure: IPAddr=") + ip);
  if (!ip.isEmpty()) {
    // The SNMP reply wait runs the event loop: the program may start closing in it.
    const QString message = frontPanel_->frontPanelMessage(ctx_, ip);
    if (stopped()) {
      PurgePrintQueue(ctx_);
      return;
    }
    appendStatus(QStringLiteral("... Printer Front Panel Message:"));
    appendStatus(message);
    ShowConfigError(ctx_, message);
  } else {
    ShowConfigError(ctx_, QString());
    appendStatus(QStringLiteral("... Please check the printer. Correct the error and try again."));
  }
  appendStatus(QStringLiteral("Program terminated!!!"));
  PurgePrintQueue(ctx_);
  if (!stopped() && ctx_.navigator) ctx_.navigator->showSetupPage2();
}

}  // namespace tlw
