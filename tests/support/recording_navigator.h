#pragma once
#include <functional>
#include <vector>

#include "core/navigator.h"
#include "platform/process_launcher.h"

namespace tlw::test {

// Stands in for the wizard's windows: counts what the logic asked of them. The
// hooks let a test act at that moment (a close that re-enters the exit, say).
class RecordingNavigator : public Navigator {
 public:
  void closeAllWindows() override {
    ++closeAllCalls;
    if (onCloseAll) onCloseAll();
  }
  void openSettingsFileDialog(FileDialogMode mode) override {
    dialogModes.push_back(static_cast<int>(mode));
  }
  void showSetupPage2() override {
    ++showPage2Calls;
    if (onShowPage2) onShowPage2();
  }

  int closeAllCalls = 0;
  int showPage2Calls = 0;
  std::vector<int> dialogModes;
  std::function<void()> onCloseAll;
  std::function<void()> onShowPage2;
};

// Records the programs the logic started instead of starting them.
class RecordingProcesses : public ProcessLauncher {
 public:
  struct Detached {
    QString commandLine;
    bool hidden;
  };
  qint64 startProgram(const QString&, const QString&) override { return 0; }
  bool isProgramRunning(qint64& handle) override {
    handle = 0;
    return false;
  }
  bool startDetached(const QString& commandLine, bool hidden) override {
    detached.push_back({commandLine, hidden});
    return true;
  }
  std::vector<Detached> detached;
};

}  // namespace tlw::test
