#pragma once
#include "pages/wizard_shell.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tlw {

// The sizes last entered in the custom form dimensions dialog. They outlive the
// dialog for the whole run: a later opening that leaves a dimension empty shows
// (and, after an adjustment, reuses) them.
struct CustomDimensions {
  float CustomWidthInch = 0;
  float CustomWidthMM = 0;
  float CustomLengthInch = 0;
  float CustomLengthMM = 0;
};

// "Custom Form Definition": a label width and/or length typed in inches or in
// millimetres, kept within the printer's limits and added to page 1's size lists
// (or the existing entry of that size selected).
class CustomDialog : public WizardForm {
  Q_OBJECT
 public:
  explicit CustomDialog(WizardShell& shell);

  void OKButton_Click();
  void CancelButton_Click();

  // The values of the current run (one set per program run; tests reset it).
  static CustomDimensions& stored();

  // A size as the lists write it: "###0.0" (one decimal, halves away from zero).
  static QString oneDecimal(double value);
  // The list text of a custom size: 4.5" (114.3mm).
  static QString sizeText(float inches, float millimetres);
  // A 32-bit value as its box shows it: the shortest decimal text, up to seven
  // significant digits, no trailing zeros.
  static QString boxText(float value);

 private:
  QLabel* Title = nullptr;
  QLabel* Subtitle = nullptr;
  QLabel* Instruction = nullptr;
  QLabel* WidthLabel = nullptr;
  QLabel* LengthLabel = nullptr;
  QLineEdit* WidthValueInch = nullptr;
  QLineEdit* WidthValueMM = nullptr;
  QLineEdit* HeightValueInch = nullptr;
  QLineEdit* HeightValueMM = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace tlw
