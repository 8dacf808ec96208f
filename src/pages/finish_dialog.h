#pragma once
#include "pages/wizard_shell.h"

namespace tlw {

// The "Send Wizard Settings" window. For now only its window; its controls come later.
class FinishDialog : public WizardForm {
  Q_OBJECT
 public:
  explicit FinishDialog(WizardShell& shell);
};

}  // namespace tlw
