#pragma once
#include "pages/wizard_shell.h"

namespace tlw {

// The "Progress Monitor" window. For now only its window; its controls come later.
class ProgressDlg : public WizardForm {
  Q_OBJECT
 public:
  explicit ProgressDlg(WizardShell& shell);
};

}  // namespace tlw
