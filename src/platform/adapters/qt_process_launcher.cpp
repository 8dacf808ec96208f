#include "platform/adapters/qt_process_launcher.h"

#include <QProcess>

#include "platform/clock.h"

namespace tlw {

QtProcessLauncher::QtProcessLauncher(Clock* wakeOnExit, QObject* parent)
    : QObject(parent), clock_(wakeOnExit) {}

QtProcessLauncher::~QtProcessLauncher() {
  // A program still running (a driver setup, say) is not killed: it is left to
  // finish on its own.
  for (auto& [handle, process] : processes_) {
    Q_UNUSED(handle);
    if (process->state() != QProcess::NotRunning) {
      process->disconnect(this);
      process->setParent(nullptr);
      // QProcess would kill the child in its destructor; keep the object alive.
      continue;
    }
    delete process;
  }
}

qint64 QtProcessLauncher::startProgram(const QString& command, const QString& arguments) {
  QStringList parts = QProcess::splitCommand(command);
  if (parts.isEmpty()) return 0;
  if (!arguments.trimmed().isEmpty()) parts.append(arguments);
  auto* process = new QProcess(this);
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->setStandardInputFile(QProcess::nullDevice());
  const QString program = parts.takeFirst();
  connect(process, &QProcess::finished, this, [this] {
    if (clock_) clock_->wake();
  });
  connect(process, &QProcess::errorOccurred, this, [this] {
    if (clock_) clock_->wake();
  });
  process->start(program, parts);
  if (!process->waitForStarted(10000)) {
    delete process;
    return 0;
  }
  const qint64 handle = nextHandle_++;
  processes_[handle] = process;
  return handle;
}

bool QtProcessLauncher::isProgramRunning(qint64& handle) {
  if (handle == 0) return false;
  auto it = processes_.find(handle);
  if (it == processes_.end()) {
    handle = 0;
    return false;
  }
  if (it->second->state() != QProcess::NotRunning) return true;
  it->second->deleteLater();
  processes_.erase(it);
  handle = 0;
  return false;
}

bool QtProcessLauncher::startDetached(const QString& commandLine, bool hidden) {
  QStringList parts = QProcess::splitCommand(commandLine);
  if (parts.isEmpty()) return false;
  QProcess process;
  process.setProgram(parts.takeFirst());
  process.setArguments(parts);
  if (hidden) {
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
  }
  return process.startDetached();
}

}  // namespace tlw
