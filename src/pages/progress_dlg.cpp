#include "pages/progress_dlg.h"

namespace tlw {

ProgressDlg::ProgressDlg(WizardShell& shell) : WizardForm(shell, FormId::ProgressDlg) {
  setWindowTitle(QStringLiteral("Progress Monitor"));
}

}  // namespace tlw
