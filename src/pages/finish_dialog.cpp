#include "pages/finish_dialog.h"

namespace tlw {

FinishDialog::FinishDialog(WizardShell& shell) : WizardForm(shell, FormId::FinishDialog) {
  setWindowTitle(QStringLiteral("Send Wizard Settings"));
}

}  // namespace tlw
