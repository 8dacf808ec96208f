#pragma once
#include <QString>
#include <QtGlobal>

namespace tlw {

// Starts and watches external programs (the CD menu tool, the driver setup,
// the system information tool). QtProcessLauncher is the real one.
class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;

  // Starts `command` (with `arguments` as one quoted argument when not blank) and
  // returns a handle, 0 when the start failed.
  virtual qint64 startProgram(const QString& command, const QString& arguments) = 0;
  // True while the process behind `handle` runs; sets `handle` to 0 once it ended.
  virtual bool isProgramRunning(qint64& handle) = 0;
  // Starts a whole command line without waiting; `hidden` asks for no window.
  // Returns false when it could not be started.
  virtual bool startDetached(const QString& commandLine, bool hidden) = 0;
};

}  // namespace tlw
