#pragma once
#include "pages/wizard_shell.h"

class QLabel;
class QPushButton;
class QFrame;

namespace tlw {

// The welcome page. One class serves both brands: ZovIntro (the one the program
// shows) and its maker-brand twin Intro, which differs in its heading, its
// network-utility sentence, its logo, its About box (frmAbout) and the name of the
// driver setup program.
class ZovIntro : public WizardForm {
  Q_OBJECT
 public:
  ZovIntro(WizardShell& shell, FormId id = FormId::ZovIntro);

  // Name of the driver setup program in the program's folder.
  QString driverSetupFile() const;

  void formLoad() override;

  void About_Click();
  void Exit_Click();
  void Next_Click();

 private:
  // Asks to install a driver and runs its setup. True when the printer list should
  // be built again and Next tried once more.
  bool No_Driver_Found();
  bool maker() const { return formId() == FormId::Intro; }

  bool nextRunning_ = false;  // Next is waiting for a driver setup

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Logo = nullptr;
  QFrame* Line1 = nullptr;
  QFrame* Line2 = nullptr;
  QPushButton* About = nullptr;
  QPushButton* Exit = nullptr;
  QPushButton* Next = nullptr;
};

}  // namespace tlw
