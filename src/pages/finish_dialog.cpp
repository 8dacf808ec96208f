#include "pages/finish_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/boxes.h"
#include "core/finish_rules.h"
#include "core/context.h"
#include "core/settings.h"
#include "pages/page_parts.h"
#include "pages/progress_dlg.h"
#include "platform/prompts.h"

namespace tlw {

using namespace pageparts;

FinishDialog::FinishDialog(WizardShell& shell) : WizardForm(shell, FormId::FinishDialog) {
  setWindowTitle(QStringLiteral("Send Wizard Settings"));

  Label1 = heading(this, "Label1", QStringLiteral("Wizard Settings are Ready to be Sent"));
  Label3 = label(this, "Label3",
                 QStringLiteral("The wizard settings are ready to be sent to the printer listed below:"),
                 true);
  SelectedPrinterName = label(this, "SelectedPrinterName", QString());
  QFont bold = SelectedPrinterName->font();
  bold.setBold(true);
  SelectedPrinterName->setFont(bold);
  Label4 = label(this, "Label4",
                 QStringLiteral("Please select any additional operation you would like performed "
                                "after the settings are sent to the printer."),
                 true);
  Ignore = label(this, "Ignore", QStringLiteral("Ignore"));
  Label2 = label(this, "Label2", QStringLiteral("Save Settings to Printer Configuration"));
  SaveCombo = list(this, "SaveCombo", false);
  SaveCfgCB = ignoreBox(this, "SaveCfgCB");
  Label6 = label(
      this, "Label6",
      QStringLiteral(
          "This option allows you to save up to eight unique printer settings to meet different "
          "print job requirements. This eliminates the need to change the printer settings for "
          "each new job. When this option is selected, the configurations are stored in memory "
          "and will not be lost if you turn off the printer. If the settings are not saved, they "
          "will be lost when the printer is turned off."),
      true);
  Label5 = label(this, "Label5", QStringLiteral("Set Power-Up Configuration to "));
  PowerUpCombo = list(this, "PowerUpCombo", false);
  SetPwrUpCB = ignoreBox(this, "SetPwrUpCB");
  Label7 = label(this, "Label7",
                 QStringLiteral("You can specify any one of nine configurations (1-8 saved custom "
                                "configurations or Factory) as the power-up configuration. The "
                                "selected configuration will be loaded when the printer is turned "
                                "on."),
                 true);
  Back = button(this, "Back", QStringLiteral("< &Back"));
  CancelButton = button(this, "CancelButton", QStringLiteral("&Cancel"));
  OKButton = button(this, "OKButton", QStringLiteral("&Finish"));
  OKButton->setDefault(true);

  auto* grid = new QGridLayout;
  grid->addWidget(Ignore, 0, 0, Qt::AlignHCenter);
  grid->addWidget(SaveCfgCB, 1, 0, Qt::AlignHCenter);
  grid->addWidget(Label2, 1, 1);
  grid->addWidget(SaveCombo, 1, 2);
  grid->addWidget(Label6, 2, 1, 1, 2);
  grid->addWidget(SetPwrUpCB, 3, 0, Qt::AlignHCenter);
  grid->addWidget(Label5, 3, 1);
  grid->addWidget(PowerUpCombo, 3, 2);
  grid->addWidget(Label7, 4, 1, 1, 2);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(line(this, "Line1"));
  layout->addWidget(Label3);
  layout->addWidget(SelectedPrinterName);
  layout->addWidget(Label4);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addWidget(line(this, "Line2"));
  layout->addLayout(navigationRow(Back, OKButton, CancelButton));
  resize(560, 480);

  // The lists are usable only while their Ignore box is unchecked; a checked box
  // also returns its list to the first entry. Runs for the program's changes too.
  connect(SaveCfgCB, &QCheckBox::toggled, this, [this](bool checked) {
    SaveCombo->setEnabled(!checked);
    if (checked) SaveCombo->setCurrentIndex(0);
  });
  connect(SetPwrUpCB, &QCheckBox::toggled, this, [this](bool checked) {
    PowerUpCombo->setEnabled(!checked);
    if (checked) PowerUpCombo->setCurrentIndex(0);
  });
  connect(Back, &QPushButton::clicked, this, [this] { Back_Click(); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
}

bool FinishDialog::emulationChanges() const {
  return ctx().settings && ctx().settings->ignore(IgnoreBox::Emulation) == 0;
}

void FinishDialog::formLoad() {
  for (int i = 1; i <= 8; ++i) SaveCombo->addItem(QStringLiteral("Configuration %1").arg(i));
  SaveCombo->setCurrentIndex(0);
  PowerUpCombo->addItem(QStringLiteral("Factory"));
  for (int i = 1; i <= 8; ++i) PowerUpCombo->addItem(QStringLiteral("Configuration %1").arg(i));
  PowerUpCombo->setCurrentIndex(0);
  SaveCfgCB->setChecked(true);
  SetPwrUpCB->setChecked(true);
  SaveCombo->setEnabled(false);
  PowerUpCombo->setEnabled(false);
  if (emulationChanges()) {
    PowerUpCombo->setCurrentIndex(SaveCombo->currentIndex() + 1);
    SaveCfgCB->setChecked(false);
    SetPwrUpCB->setChecked(false);
  }
  SelectedPrinterName->setText(ctx().printer.SelectedPrinterName);
}

void FinishDialog::showEvent(QShowEvent* event) {
  // The operator may have gone back and chosen another printer since the load.
  SelectedPrinterName->setText(ctx().printer.SelectedPrinterName);
  WizardForm::showEvent(event);
}

void FinishDialog::SetComboBoxes() {
  if (!emulationChanges()) return;
  SaveCfgCB->setChecked(false);
  SetPwrUpCB->setChecked(false);
  SaveCombo->setEnabled(true);
  PowerUpCombo->setEnabled(true);
  PowerUpCombo->setCurrentIndex(SaveCombo->currentIndex() + 1);
}

void FinishDialog::checkIgnoreBoxes() {
  SaveCfgCB->setChecked(true);
  SetPwrUpCB->setChecked(true);
}

bool FinishDialog::ask(const MessageBox& box) {
  return ctx().services.prompts && ctx().services.prompts->show(box) == BoxAnswer::Yes;
}

bool FinishDialog::ConfirmCalibration() { return ask(MakeFinding(FindingKind::CalibrationNeeded).box); }

bool FinishDialog::ConfirmConfigOverwrite() {
  return ask(MakeFinding(FindingKind::OverwriteConfig).box);
}

void FinishDialog::ShowNotSavedNotice() {
  if (ctx().services.prompts) ctx().services.prompts->show(SettingsNotSentNotice());
}

void FinishDialog::abortToPage2() {
  ShowNotSavedNotice();
  if (ctx().exitStarted) return;
  shell().show(FormId::PrinterSetup);
}

void FinishDialog::OKButton_Click() {
  WizardShell::Busy busy(shell());
  AppContext& c = ctx();
  // A run already going on (Finish pressed again) must not start a second one.
  if (auto* progress = qobject_cast<ProgressDlg*>(shell().find(FormId::ProgressDlg)))
    if (progress->running()) return;
  // Each box below is modal, but the program may start to close while one is up.
  const QPointer<FinishDialog> self(this);
  auto gone = [&] { return c.exitStarted || !self || shell().find(FormId::FinishDialog) != this; };

  if (!c.settings) return;
  // The calibration rule follows the Ignore boxes as they are now.
  CollectSettingState(*c.settings, c.session, c.request);
  FinishChoices choices;
  choices.saveRequested = !SaveCfgCB->isChecked();
  c.request.SaveConfigRequested = toFlag(choices.saveRequested);
  if (choices.saveRequested)
    c.request.SaveConfigNumber = static_cast<std::int16_t>(SaveCombo->currentIndex() + 1);
  c.request.PowerUpRequested = toFlag(!SetPwrUpCB->isChecked());
  if (!SetPwrUpCB->isChecked())
    c.request.PowerUpConfigNumber = static_cast<std::int16_t>(PowerUpCombo->currentIndex());

  for (const Finding& finding : FinishFindings(*c.settings, c.printer.PrintWidthClass, choices)) {
    switch (finding.kind) {
      case FindingKind::NothingSelected:
      case FindingKind::MediaSizeInvalid:
        continue;  // the settings pages asked these before the operator got here
      case FindingKind::EmulationNeedsSave:
        if (c.services.prompts) c.services.prompts->show(finding.box);
        if (gone()) return;
        SaveCfgCB->setChecked(false);
        return;
      case FindingKind::CalibrationNeeded:
      case FindingKind::OverwriteConfig: {
        const bool yes = ask(finding.box);
        if (gone()) return;
        if (!yes) {
          abortToPage2();
          return;
        }
        if (finding.kind == FindingKind::CalibrationNeeded) hide();
        break;
      }
    }
  }
  c.session.SettingsSent = kTrue;
  hide();
  auto* progress = qobject_cast<ProgressDlg*>(shell().show(FormId::ProgressDlg));
  if (!progress) return;
  // Returns when the run has ended; the windows may be gone by then.
  progress->Start_Job();
}

void FinishDialog::Back_Click() {
  WizardShell::Busy busy(shell());
  hide();
  shell().show(FormId::PrinterSetup);
}

void FinishDialog::CancelButton_Click() {
  WizardShell::Busy busy(shell());
  ConfirmExitCaution(ctx());
}

}  // namespace tlw
