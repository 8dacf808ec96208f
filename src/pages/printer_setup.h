#pragma once
#include "pages/wizard_shell.h"

namespace tlw {

// The "Printer Setup - Page 2" window. For now only its window; its controls come later.
class PrinterSetup : public WizardForm {
  Q_OBJECT
 public:
  explicit PrinterSetup(WizardShell& shell);
};

}  // namespace tlw
