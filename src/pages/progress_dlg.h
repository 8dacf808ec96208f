#pragma once
#include <memory>

#include "delivery/job_runner.h"
#include "pages/wizard_shell.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;

namespace tlw {

// "Progress Monitor": shows a configuration run as it goes, its progress meter
// and its status log. The run itself is a JobRunner that this window starts and
// displays; it lives in shared ownership so that a run waiting on the clock
// survives this window being unloaded (the program closing during a wait).
class ProgressDlg : public WizardForm, public RunObserver {
  Q_OBJECT
 public:
  explicit ProgressDlg(WizardShell& shell);
  ~ProgressDlg() override;

  // Runs the jobs of the finished wizard; returns when the run has ended. Does
  // nothing while a run is going on.
  void Start_Job();
  bool running() const { return runner_->running(); }
  JobRunner& runner() { return *runner_; }

  // --- RunObserver ---
  void progressChanged(int value) override;
  void statusLogChanged(const QString& text, const QString& line) override;

 private:
  std::shared_ptr<JobRunner> runner_;

  QLabel* Label1 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label2 = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QLabel* Label3 = nullptr;
  QPlainTextEdit* StatusLog = nullptr;
};

}  // namespace tlw
