#include "pages/printer_setup.h"

namespace tlw {

PrinterSetup::PrinterSetup(WizardShell& shell) : WizardForm(shell, FormId::PrinterSetup) {
  setWindowTitle(QStringLiteral("Printer Setup - Page 2"));
}

}  // namespace tlw
