#include "support/fake_process_launcher.h"

namespace tlw::test {

qint64 FakeProcessLauncher::startProgram(const QString& command, const QString& arguments) {
  Start s;
  s.command = command;
  s.arguments = arguments;
  s.commandLine = arguments.trimmed().isEmpty()
                      ? command
                      : command + QStringLiteral(" \"") + arguments + QStringLiteral("\"");
  s.atMs = clock_.nowMs();
  started.push_back(s);
  if (failStart || command.trimmed().isEmpty()) return 0;
  const qint64 handle = nextHandle_++;
  endsAt_[handle] = s.atMs + runMs;
  if (onStart) onStart(s);
  return handle;
}

bool FakeProcessLauncher::isProgramRunning(qint64& handle) {
  if (handle == 0) return false;
  ++polls;
  auto it = endsAt_.find(handle);
  if (it != endsAt_.end() && clock_.nowMs() < it->second) return true;
  if (it != endsAt_.end()) endsAt_.erase(it);
  handle = 0;
  return false;
}

bool FakeProcessLauncher::startDetached(const QString& commandLine, bool hidden) {
  Start s;
  s.command = commandLine;
  s.commandLine = commandLine;
  s.detached = true;
  s.hidden = hidden;
  s.atMs = clock_.nowMs();
  started.push_back(s);
  if (failStart || commandLine.trimmed().isEmpty()) return false;
  if (onStart) onStart(s);
  return true;
}

std::vector<QString> FakeProcessLauncher::detachedCommandLines() const {
  std::vector<QString> out;
  for (const auto& s : started)
    if (s.detached) out.push_back(s.commandLine);
  return out;
}

}  // namespace tlw::test
