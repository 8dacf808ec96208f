#pragma once
#include "pages/wizard_shell.h"

namespace tlw {

// The "Printer Setup - Page 1" window. For now only its window; its controls come later.
class Operation : public WizardForm {
  Q_OBJECT
 public:
  explicit Operation(WizardShell& shell);
};

}  // namespace tlw
