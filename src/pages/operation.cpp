#include "pages/operation.h"

namespace tlw {

Operation::Operation(WizardShell& shell) : WizardForm(shell, FormId::Operation) {
  setWindowTitle(QStringLiteral("Printer Setup - Page 1"));
}

}  // namespace tlw
