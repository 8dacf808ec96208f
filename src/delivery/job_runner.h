#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "core/flags.h"
#include "platform/spooler.h"

namespace tlw {

struct AppContext;
class FrontPanelReader;
struct RunPlan;

// Told about every visible change of a run: the progress window displays them,
// tenlark-apply prints them.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // The progress meter moved to `value` (0 to 100).
  virtual void progressChanged(int value) = 0;
  // The status log now reads `text`; `line` is the line just written (the first
  // line of a run replaces the whole text, later lines are appended with CR LF).
  virtual void statusLogChanged(const QString& text, const QString& line) = 0;
};

// Sends the setup jobs of a finished wizard one after the other and watches the
// queue after each: the progress window's run, kept apart from any window.
//
// Lifetime: a run waits (tens of seconds) with the event loop running, and in that
// time windows may close or the program may exit. Keep the runner in a
// std::shared_ptr owned by something that outlives the windows (Start_Job holds a
// reference of its own while it runs), and remove an observer before destroying it.
// When ExitWizard has started (ctx.exitStarted) or requestStop() was called, the
// run stops after the wait it is in and touches no window afterwards.
class JobRunner : public std::enable_shared_from_this<JobRunner> {
 public:
  // How the last run ended.
  enum class Outcome {
    NotRun,      // no run yet
    Configured,  // every job the run sent was taken
    Failed,      // a step failed (JobFailure ran)
    Stopped,     // the program exited, or requestStop(), during the run
  };

  explicit JobRunner(AppContext& ctx);
  ~JobRunner();
  JobRunner(const JobRunner&) = delete;
  JobRunner& operator=(const JobRunner&) = delete;

  // Front-panel lookup used by JobFailure (not owned). The default finds no address.
  void setFrontPanelReader(FrontPanelReader* reader);
  void addObserver(RunObserver* observer);
  void removeObserver(RunObserver* observer);

  // Runs the plan of ctx.settings and ctx.request. Does nothing while a run is
  // already going on.
  void Start_Job();
  // Runs a given plan: each sending step's status line, job and queue check, the
  // progress meter at each step, and the end of the run.
  void Start_Job(const RunPlan& plan);
  // Watches the queue after a job was sent: waits `firstWait` seconds, sends the
  // empty probe job, waits 5 seconds more. True (-1) when the job was taken; false
  // after JobFailure has run (or when the run was stopped). The step fails when
  // the spooler did not accept its job, when neither look could read the queue,
  // when its own job ended aborted or cancelled, when the job at the head of the
  // queue is the same at both looks, and, when the queue was empty at the first
  // look, unless its own job completed.
  Flag Check_Job_Status(int firstWait, const SubmitResult& sent);
  // Reports a failed job, purges the wizard's jobs and shows the second page again.
  void JobFailure();
  // Waits n seconds of elapsed time with the event loop running; ends early when
  // the run is stopped.
  void WaitSeconds(int n);

  // Ends the current run after the wait it is in (nothing else happens).
  void requestStop();

  bool running() const { return running_; }
  int progress() const { return progress_; }
  const QString& statusLog() const { return statusLog_; }
  Outcome outcome() const { return outcome_; }
  // Why the last run failed ("the printer did not take a job", "the print server
  // refused the job: ..."); empty when it did not.
  const QString& failureReason() const { return failureReason_; }

 private:
  bool stopped() const;
  void setProgress(int value);
  void setStatus(const QString& line);     // first line of a run: replaces the log
  void appendStatus(const QString& line);  // old text, CR LF, the line
  void notifyLog(const QString& line);
  void run(const RunPlan& plan);
  // Logs the line, keeps the reason and runs JobFailure; returns false.
  Flag fail(const QString& reason, const QString& logLine);

  AppContext& ctx_;
  FrontPanelReader* frontPanel_;
  std::unique_ptr<FrontPanelReader> noFrontPanel_;
  std::vector<RunObserver*> observers_;
  bool running_ = false;
  bool stopRequested_ = false;
  int progress_ = 0;
  QString statusLog_;
  QString failureReason_;
  Outcome outcome_ = Outcome::NotRun;
};

}  // namespace tlw
