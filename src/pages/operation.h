#pragma once
#include "core/settings.h"
#include "pages/wizard_shell.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tlw {

// "Printer Setup - Page 1": print mode, label size, orientation and media handling,
// each under an Ignore box. The controls display the wizard's settings record
// (ctx().settings): every change goes through its setters, and the page redraws
// itself whenever the record changes (also when a settings file is loaded).
class Operation : public WizardForm {
  Q_OBJECT
 public:
  explicit Operation(WizardShell& shell);

  // The index of the first size code that holds `inches` in thousandths, or -1.
  int LabelWidthExist(float inches) const;
  int LabelLengthExist(float inches) const;
  // Opens the settings file dialog to load settings.
  void Load_Click();

  void CustomizeMedia_Click();
  void Next_Click();
  void Prev_Click();
  void Cancel_Click();

 private:
  WizardSettings& settings() const;
  // Redraws every control from the settings record.
  void refresh();

  QLabel* Title = nullptr;
  QGroupBox* MediaFrame = nullptr;
  QLabel* IgnoreLabel = nullptr;
  QLabel* PrintModeLabel = nullptr;
  QLabel* LabelWidthLabel = nullptr;
  QLabel* LabelLengthLabel = nullptr;
  QLabel* OrientationLabel = nullptr;
  QLabel* DispenseLabel = nullptr;
  QLabel* NoteLabel = nullptr;
  QCheckBox* MediaTypeCB = nullptr;
  QComboBox* MediaTypeCombo = nullptr;
  QCheckBox* MediaSizeCB = nullptr;
  QComboBox* LabelWidthCombo = nullptr;
  QComboBox* LabelLengthCombo = nullptr;
  QPushButton* CustomizeMedia = nullptr;
  QCheckBox* OrientationCB = nullptr;
  QComboBox* OrientationCombo = nullptr;
  QCheckBox* DispenseCB = nullptr;
  QComboBox* DispenseCombo = nullptr;
  QPushButton* Prev = nullptr;
  QPushButton* Next = nullptr;
  QPushButton* Cancel = nullptr;
};

// The note both settings pages carry under their controls.
QString SettingsPageNote();

}  // namespace tlw
