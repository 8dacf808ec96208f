#pragma once
#include "pages/wizard_shell.h"

namespace tlw {

// The "Load Wizard Settings" window. For now only its window; its controls come later.
class LoadDlg : public WizardForm {
  Q_OBJECT
 public:
  explicit LoadDlg(WizardShell& shell);
};

}  // namespace tlw
