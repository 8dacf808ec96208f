#include "pages/custom_dialog.h"

namespace tlw {

CustomDialog::CustomDialog(WizardShell& shell) : WizardForm(shell, FormId::CustomDialog) {
  setWindowTitle(QStringLiteral("Custom Form Definition"));
}

}  // namespace tlw
