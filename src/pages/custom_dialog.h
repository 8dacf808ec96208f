#pragma once
#include "pages/wizard_shell.h"

namespace tlw {

// The "Custom Form Definition" window. For now only its window; its controls come later.
class CustomDialog : public WizardForm {
  Q_OBJECT
 public:
  explicit CustomDialog(WizardShell& shell);
};

}  // namespace tlw
