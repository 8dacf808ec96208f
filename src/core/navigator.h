#pragma once
#include "core/state.h"

namespace tlw {

// What the logic needs from the windows: the wizard's pages implement it, and
// tenlark-apply has a windowless one.
class Navigator {
 public:
  virtual ~Navigator() = default;
  // Closes (unloads) every page and dialog in the fixed exit order; windows that
  // were never created are skipped. With no window left the program ends.
  virtual void closeAllWindows() = 0;
  // Opens the settings file dialog, non-modal, in a mode (load, save before the
  // finish page, save before the program ends).
  virtual void openSettingsFileDialog(FileDialogMode mode) = 0;
  // Shows the second settings page again (after a failed job).
  virtual void showSetupPage2() = 0;
};

}  // namespace tlw
