#pragma once
#include <QStringList>

#include "pages/wizard_shell.h"

class QLabel;
class QPushButton;

namespace tlw {

// The About box. One class serves ZovAbout and its maker-brand twin frmAbout
// (they differ only in the logo). Shown modally by the welcome page.
class ZovAbout : public WizardForm {
  Q_OBJECT
 public:
  ZovAbout(WizardShell& shell, FormId id = FormId::ZovAbout);

  // System information programs tried by "System Info...", first found on PATH wins.
  static QStringList systemInfoTools();
  // Full path of the first of systemInfoTools() found in `searchPath` (a PATH-style
  // list; the process's PATH when empty), or empty.
  static QString findSystemInfoTool(const QString& searchPath = QString());

  void cmdOK_Click();
  void cmdSysInfo_Click();
  void StartSysInfo();

 public slots:
  // Escape closes the box like OK.
  void reject() override { cmdOK_Click(); }

 private:
  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblCopyright = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;
};

}  // namespace tlw
