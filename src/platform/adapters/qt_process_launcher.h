#pragma once
#include <QObject>
#include <map>

#include "platform/process_launcher.h"

class QProcess;

namespace tlw {

class Clock;

// Processes on QProcess. A command line is split like a shell would (blanks
// separate, double quotes group); startProgram adds its argument text as one more
// argument. Programs started with startProgram are children of this object; when
// one ends, the clock given here is woken so that a wait on it ends at once.
// startDetached starts a program that outlives the wizard; "hidden" gives it no
// terminal input or output.
class QtProcessLauncher : public QObject, public ProcessLauncher {
  Q_OBJECT
 public:
  explicit QtProcessLauncher(Clock* wakeOnExit = nullptr, QObject* parent = nullptr);
  ~QtProcessLauncher() override;

  qint64 startProgram(const QString& command, const QString& arguments) override;
  bool isProgramRunning(qint64& handle) override;
  bool startDetached(const QString& commandLine, bool hidden) override;

 private:
  Clock* clock_;
  std::map<qint64, QProcess*> processes_;
  qint64 nextHandle_ = 1;
};

}  // namespace tlw
