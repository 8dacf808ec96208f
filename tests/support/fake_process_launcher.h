#pragma once
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "platform/clock.h"
#include "platform/process_launcher.h"

namespace tlw::test {

// A process launcher for unit tests. Records every start; a program started with
// startProgram "runs" for runMs milliseconds of the given (virtual) clock.
class FakeProcessLauncher : public ProcessLauncher {
 public:
  struct Start {
    QString command;      // as passed (for startDetached: the whole command line)
    QString arguments;    // startProgram's argument text
    QString commandLine;  // command, and " \"arguments\"" when the arguments are not blank
    bool detached = false;
    bool hidden = false;
    qint64 atMs = 0;
  };

  explicit FakeProcessLauncher(Clock& clock) : clock_(clock) {}

  qint64 startProgram(const QString& command, const QString& arguments) override;
  bool isProgramRunning(qint64& handle) override;
  bool startDetached(const QString& commandLine, bool hidden) override;

  // Every start, in order (also the refused ones).
  std::vector<Start> started;
  // Command lines of the detached starts only.
  std::vector<QString> detachedCommandLines() const;
  // How long a program started with startProgram runs.
  qint64 runMs = 0;
  // While set, every start fails (handle 0 / false).
  bool failStart = false;
  // Runs at every successful start (for example: the driver setup installs a queue).
  std::function<void(const Start&)> onStart;
  // Number of isProgramRunning calls with a non-zero handle.
  int polls = 0;
  // Processes started and not yet seen ended.
  int runningCount() const { return static_cast<int>(endsAt_.size()); }

 private:
  Clock& clock_;
  std::map<qint64, qint64> endsAt_;  // handle -> end time
  qint64 nextHandle_ = 100;
};

}  // namespace tlw::test
