#pragma once
#include "pages/wizard_shell.h"
#include "platform/prompts.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace tlw {

// "Send Wizard Settings": the printer that receives the settings, the optional save
// into one of the printer's eight stored configurations and the power-up choice.
// Finish turns these into the run flags and starts the run in the progress window.
class FinishDialog : public WizardForm {
  Q_OBJECT
 public:
  explicit FinishDialog(WizardShell& shell);

  void formLoad() override;

  // With the emulation to be changed, both choices are offered and the power-up
  // entry names the configuration chosen for the save.
  void SetComboBoxes();
  // Checks both Ignore boxes (the emulation is left alone after all).
  void checkIgnoreBoxes();

  void OKButton_Click();  // "Finish"
  void Back_Click();
  void CancelButton_Click();

  // Finish's questions and notices.
  bool ConfirmCalibration();
  bool ConfirmConfigOverwrite();
  void ShowNotSavedNotice();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool emulationChanges() const;
  // Shows a question; true only for Yes.
  bool ask(const MessageBox& box);
  // Shows the second settings page again after the operator backed out of Finish.
  void abortToPage2();

  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* SelectedPrinterName = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Ignore = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* SaveCombo = nullptr;
  QCheckBox* SaveCfgCB = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label5 = nullptr;
  QComboBox* PowerUpCombo = nullptr;
  QCheckBox* SetPwrUpCB = nullptr;
  QLabel* Label7 = nullptr;
  QPushButton* Back = nullptr;
  QPushButton* CancelButton = nullptr;
  QPushButton* OKButton = nullptr;
};

}  // namespace tlw
