#include "pages/load_dlg.h"

namespace tlw {

LoadDlg::LoadDlg(WizardShell& shell) : WizardForm(shell, FormId::LoadDlg) {
  setWindowTitle(QStringLiteral("Load Wizard Settings"));
}

}  // namespace tlw
