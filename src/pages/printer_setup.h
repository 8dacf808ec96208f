#pragma once
#include "core/settings.h"
#include "pages/wizard_shell.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace tlw {

// "Printer Setup - Page 2": gap sensor type, print speed, active emulation and the
// two image shifts, each under an Ignore box. Like page 1 it displays the wizard's
// settings record and redraws itself whenever the record changes.
class PrinterSetup : public WizardForm {
  Q_OBJECT
 public:
  explicit PrinterSetup(WizardShell& shell);

  void Finish_Click();  // "Next >"
  void Prev_Click();
  void Cancel_Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  WizardSettings& settings() const;
  void refresh();
  void showCancelCaption();
  void onIgnoreChanged(IgnoreBox box, std::int16_t value);

  QLabel* Title = nullptr;
  QGroupBox* SensorFrame = nullptr;
  QGroupBox* EmulationFrame = nullptr;
  QGroupBox* MediaFrame = nullptr;
  QLabel* IgnoreLabel = nullptr;
  QLabel* GapLabel = nullptr;
  QLabel* PrintSpeedLabel = nullptr;
  QLabel* EmulationLabel = nullptr;
  QLabel* HorzShiftLabel = nullptr;
  QLabel* VertShiftLabel = nullptr;
  QLabel* NoteLabel = nullptr;
  QCheckBox* GapCB = nullptr;
  QComboBox* GapCombo = nullptr;
  QCheckBox* PrintSpeedCB = nullptr;
  QComboBox* PrintSpeedCombo = nullptr;
  QCheckBox* EmulationCB = nullptr;
  QComboBox* EmulationCombo = nullptr;
  QCheckBox* HorzCB = nullptr;
  QScrollBar* HorzShiftHScroll = nullptr;
  QLabel* HorzLabel = nullptr;
  QComboBox* HorzShiftUnit = nullptr;
  QCheckBox* VertCB = nullptr;
  QScrollBar* VertShiftHScroll = nullptr;
  QLabel* VertLabel = nullptr;
  QComboBox* VertShiftUnit = nullptr;
  QPushButton* Prev = nullptr;
  QPushButton* Finish = nullptr;
  QPushButton* Cancel = nullptr;
};

}  // namespace tlw
