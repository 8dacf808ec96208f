#pragma once
#include "pages/wizard_shell.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace tlw {

// "Load Wizard Settings", the start page: begin with the default settings, or load
// settings saved to a file in an earlier session.
class LoadDlg : public WizardForm {
  Q_OBJECT
 public:
  explicit LoadDlg(WizardShell& shell);

  void Next_Click();
  void Prev_Click();
  void Cancel_Click();

 private:
  QLabel* Title = nullptr;
  QLabel* Instruction = nullptr;
  QRadioButton* StartNew = nullptr;
  QLabel* StartNewText = nullptr;
  QRadioButton* Load = nullptr;
  QLabel* LoadText = nullptr;
  QPushButton* Prev = nullptr;
  QPushButton* Next = nullptr;
  QPushButton* Cancel = nullptr;
};

}  // namespace tlw
