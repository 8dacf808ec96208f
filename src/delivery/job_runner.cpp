#include "delivery/job_runner.h"

#include <algorithm>

#include "core/boxes.h"
#include "core/context.h"
#include "core/exit.h"
#include "core/navigator.h"
#include "core/settings.h"
#include "delivery/front_panel.h"
#include "delivery/raw_channel.h"
#include "delivery/status_reader.h"
#include "platform/clock.h"
#include "setuplang/jobs.h"

namespace tlw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kReceivedOk = QStringLiteral("  ... Request received OK");
const QString kNoPrintJobs = QStringLiteral("No Print Jobs!");

// First wait of each step, in seconds; the wait after the probe job is always 5.
constexpr int kEmulationWait = 10;
constexpr int kLoadWait = 10;
constexpr int kUpdateWait = 5;
constexpr int kCalibrationWait = 20;
constexpr int kSaveWait = 5;
constexpr int kPowerUpWait = 5;
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
  // A second Finish while a run waits, or a run after the program began to close,
  // must not start anything.
  if (running_ || ctx_.exitStarted) return;
  // The caller (a window) may be destroyed during the run; keep this object alive
  // until the run returns when it is shared-owned.
  const std::shared_ptr<JobRunner> keepAlive = weak_from_this().lock();
  running_ = true;
  stopRequested_ = false;
  failed_ = false;
  outcome_ = Outcome::NotRun;
  run();
  running_ = false;
  if (outcome_ == Outcome::NotRun) outcome_ = stopped() ? Outcome::Stopped : Outcome::Configured;
}

void JobRunner::run() {
  ProgramState& st = ctx_.state;
  ctx_.log.write(QStringLiteral("Begin Print"));
  setProgress(0);
  setStatus(QStringLiteral("Initializing ...."));

  // Ends the run when the last check failed or the program is closing.
  auto ended = [this](Flag result) {
    if (stopped()) {
      outcome_ = Outcome::Stopped;
      return true;
    }
    if (!isSet(result)) {
      outcome_ = Outcome::Failed;
      return true;
    }
    return false;
  };

  const bool emulationIgnored =
      !ctx_.settings || ctx_.settings->ignore(IgnoreBox::Emulation) != 0;
  if (!isSet(st.JobErrorFlag) && !emulationIgnored) {
    appendStatus(QStringLiteral("Requesting active emulation to be changed."));
    SendEmuCmd(ctx_, st.SaveConfigNumber);
    if (ended(Check_Job_Status(kEmulationWait))) return;
    setProgress(25);
    SendLoadCfgCmd(ctx_, st.SaveConfigNumber);
    appendStatus(QStringLiteral("Requesting loading of configuration #") +
                 QString::number(st.SaveConfigNumber) +
                 QStringLiteral(" to set active emulation."));
    if (ended(Check_Job_Status(kLoadWait))) return;
  }

  setProgress(30);
  Flag lastResult = kFalse;
  if (isSet(SendCfgCmd(ctx_))) {
    appendStatus(QStringLiteral("Sending configuration update request to printer."));
    lastResult = Check_Job_Status(kUpdateWait);
    // A failed update does not end the run: JobErrorFlag now skips the later steps.
    if (stopped()) {
      outcome_ = Outcome::Stopped;
      return;
    }
  }

  setProgress(40);
  if (isSet(st.CalibrationNeeded) && !isSet(st.JobErrorFlag)) {
    appendStatus(QStringLiteral("Requesting auto calibration to be started."));
    SendCalibrateCmd(ctx_);
    lastResult = Check_Job_Status(kCalibrationWait);
    if (ended(lastResult)) return;
  }

  setProgress(60);
  if (isSet(st.SaveConfigRequested) && !isSet(st.JobErrorFlag)) {
    appendStatus(QStringLiteral("Requesting configuration to be saved."));
    SendSaveCfgCmd(ctx_, st.SaveConfigNumber);
    lastResult = Check_Job_Status(kSaveWait);
    if (ended(lastResult)) return;
  }

  setProgress(80);
  if (isSet(st.PowerUpRequested) && !isSet(st.JobErrorFlag)) {
    appendStatus(QStringLiteral("Requesting power-up configuration to be changed."));
    SendSetPowerUpCmd(ctx_, st.PowerUpConfigNumber);
    lastResult = Check_Job_Status(kPowerUpWait);
    if (ended(lastResult)) return;
  }

  setProgress(100);
  appendStatus(QStringLiteral("Printer Successfully Configured."));
  st.SettingsSent = kTrue;
  outcome_ = failed_ ? Outcome::Failed : Outcome::Configured;
  if (isSet(lastResult)) ShowSuccess(ctx_);
  ExitWizard(ctx_);
}

Flag JobRunner::Check_Job_Status(int firstWait) {
  ctx_.log.write(QStringLiteral("...Check_Job_Status"));
  QString printerReport;
  QString jobReport;

  // First look: the job now at the head of the queue (none when it is empty).
  CheckPrinter(ctx_, printerReport, jobReport);
  getPrinterStatus(ctx_, printerReport, ctx_.state.PrinterPortName, ctx_.state.PrinterDriverName);
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
  CheckPrinter(ctx_, printerReport, jobReport);
  if (jobReport == kNoPrintJobs) {
    appendStatus(kReceivedOk);
  } else {
    getPrinterStatus(ctx_, printerReport, ctx_.state.PrinterPortName,
                     ctx_.state.PrinterDriverName);
    QString idNow;
    getJobStatus(ctx_, jobReport, idNow);
    // With an empty queue at the first look there is no job that could have stuck.
    if (!idBefore.isEmpty() && idNow == idBefore) {
      ctx_.log.write(QStringLiteral("Job Failure:") + idBefore + QStringLiteral("Printer Status:") +
                     printerReport + QStringLiteral("Job Status:") + jobReport);
      JobFailure();
      return kFalse;
    }
    appendStatus(kReceivedOk);
  }
  ctx_.log.write(QStringLiteral("...Check_Job_Status: Exit"));
  return kTrue;
}

void JobRunner::JobFailure() {
  failed_ = true;
  appendStatus(QStringLiteral("... Error Detected. The command failed. Program unable to continue."));
  const QString ip = frontPanel_->portIPAddress(ctx_, ctx_.state.PrinterPortName);
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
