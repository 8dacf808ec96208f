#include "pages/settings_file_dialog.h"

namespace tlw {

Dialog::Dialog(WizardShell& shell) : WizardForm(shell, FormId::Dialog) { setDialogFlag(0); }

void Dialog::setDialogFlag(std::int16_t flag) {
  dialogFlag_ = flag;
  const bool save = flag == 1 || flag == 2;
  setWindowTitle(save ? QStringLiteral("Save Wizard Settings") : QStringLiteral("Load Wizard Settings"));
}

}  // namespace tlw
