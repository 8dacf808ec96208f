#pragma once
#include <cstdint>

#include "pages/wizard_shell.h"

namespace tlw {

// The settings file dialog ("Load Wizard Settings" / "Save Wizard Settings").
// For now only its window and its mode; its controls come later.
class Dialog : public WizardForm {
  Q_OBJECT
 public:
  explicit Dialog(WizardShell& shell);

  // 0 load, 1 save before the finish page, 2 save before the program ends; any
  // other value behaves as 0. Set before the dialog is shown.
  void setDialogFlag(std::int16_t flag);
  std::int16_t dialogFlag() const { return dialogFlag_; }

 private:
  std::int16_t dialogFlag_ = 0;
};

}  // namespace tlw
