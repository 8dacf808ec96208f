#include "pages/operation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/boxes.h"
#include "core/context.h"
#include "core/finish_rules.h"
#include "core/navigator.h"
#include "pages/page_parts.h"

namespace tlw {

using namespace pageparts;

QString SettingsPageNote() {
  return QStringLiteral(
      "Please specify the value to be saved on the printer. If \"Ignore\" is checked, the value "
      "will not be changed on the printer. Note: The printer will perform a calibration when you "
      "change a setting with an asterisk.");
}

Operation::Operation(WizardShell& shell) : WizardForm(shell, FormId::Operation) {
  setWindowTitle(QStringLiteral("Printer Setup - Page 1"));

  Title = heading(this, "Title", QStringLiteral("Printer Setup - Page 1"));
  MediaFrame = new QGroupBox(QStringLiteral("         Media Setup"), this);
  MediaFrame->setObjectName(QStringLiteral("MediaFrame"));
  QWidget* f = MediaFrame;
  IgnoreLabel = label(f, "IgnoreLabel", QStringLiteral("Ignore"));
  PrintModeLabel = label(f, "PrintModeLabel", QStringLiteral("*Print Mode:"));
  LabelWidthLabel = label(f, "LabelWidthLabel", QStringLiteral("*Label Width:"));
  LabelLengthLabel = label(f, "LabelLengthLabel", QStringLiteral("*Label Length:"));
  OrientationLabel = label(f, "OrientationLabel", QStringLiteral("Orientation:"));
  DispenseLabel = label(f, "DispenseLabel", QStringLiteral("Media Handling:"));
  MediaTypeCB = ignoreBox(f, "MediaTypeCB");
  MediaTypeCombo = list(f, "MediaTypeCombo", false);
  MediaSizeCB = ignoreBox(f, "MediaSizeCB");
  // The size lists take typed text: a text that names no entry is how the size
  // check on "Next >" learns that no entry was picked.
  LabelWidthCombo = list(f, "LabelWidthCombo", true);
  LabelLengthCombo = list(f, "LabelLengthCombo", true);
  CustomizeMedia = button(f, "CustomizeMedia", QStringLiteral("C&ustomize"));
  OrientationCB = ignoreBox(f, "OrientationCB");
  OrientationCombo = list(f, "OrientationCombo", false);
  DispenseCB = ignoreBox(f, "DispenseCB");
  DispenseCombo = list(f, "DispenseCombo", false);
  NoteLabel = label(this, "NoteLabel", SettingsPageNote(), true);
  Prev = button(this, "Prev", QStringLiteral("< &Back"));
  Next = button(this, "Next", QStringLiteral("&Next >"));
  Cancel = button(this, "Cancel", QStringLiteral("&Cancel"));
  Next->setDefault(true);

  auto* grid = new QGridLayout(MediaFrame);
  grid->addWidget(IgnoreLabel, 0, 3, Qt::AlignHCenter);
  grid->addWidget(PrintModeLabel, 1, 0);
  grid->addWidget(MediaTypeCombo, 1, 1, 1, 2);
  grid->addWidget(MediaTypeCB, 1, 3, Qt::AlignHCenter);
  grid->addWidget(LabelWidthLabel, 2, 0);
  grid->addWidget(LabelWidthCombo, 2, 1);
  grid->addWidget(MediaSizeCB, 2, 3, 2, 1, Qt::AlignHCenter);
  grid->addWidget(LabelLengthLabel, 3, 0);
  grid->addWidget(LabelLengthCombo, 3, 1);
  grid->addWidget(CustomizeMedia, 2, 2, 2, 1);
  grid->addWidget(OrientationLabel, 4, 0);
  grid->addWidget(OrientationCombo, 4, 1, 1, 2);
  grid->addWidget(OrientationCB, 4, 3, Qt::AlignHCenter);
  grid->addWidget(DispenseLabel, 5, 0);
  grid->addWidget(DispenseCombo, 5, 1, 1, 2);
  grid->addWidget(DispenseCB, 5, 3, Qt::AlignHCenter);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Title);
  layout->addWidget(line(this, "Line1"));
  layout->addWidget(MediaFrame);
  layout->addWidget(NoteLabel);
  layout->addStretch(1);
  layout->addWidget(line(this, "Line2"));
  layout->addLayout(navigationRow(Prev, Next, Cancel));
  resize(540, 420);

  refresh();
  bindIgnoreBox(MediaTypeCB, settings(), IgnoreBox::MediaType);
  bindIgnoreBox(MediaSizeCB, settings(), IgnoreBox::MediaSize);
  bindIgnoreBox(OrientationCB, settings(), IgnoreBox::Orientation);
  bindIgnoreBox(DispenseCB, settings(), IgnoreBox::Dispense);
  bindList(MediaTypeCombo, settings(), ListControl::MediaType);
  bindList(LabelWidthCombo, settings(), ListControl::LabelWidth);
  bindList(LabelLengthCombo, settings(), ListControl::LabelLength);
  bindList(OrientationCombo, settings(), ListControl::Orientation);
  bindList(DispenseCombo, settings(), ListControl::Dispense);
  connect(&settings(), &WizardSettings::changed, this, [this] { refresh(); });
  connect(CustomizeMedia, &QPushButton::clicked, this, [this] { CustomizeMedia_Click(); });
  connect(Prev, &QPushButton::clicked, this, [this] { Prev_Click(); });
  connect(Next, &QPushButton::clicked, this, [this] { Next_Click(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
}

WizardSettings& Operation::settings() const { return *ctx().settings; }

void Operation::refresh() {
  const WizardSettings& s = settings();
  showIgnoreBox(MediaTypeCB, s.ignore(IgnoreBox::MediaType));
  showIgnoreBox(MediaSizeCB, s.ignore(IgnoreBox::MediaSize));
  showIgnoreBox(OrientationCB, s.ignore(IgnoreBox::Orientation));
  showIgnoreBox(DispenseCB, s.ignore(IgnoreBox::Dispense));
  showSettingsList(MediaTypeCombo, s, ListControl::MediaType);
  showSettingsList(LabelWidthCombo, s, ListControl::LabelWidth);
  showSettingsList(LabelLengthCombo, s, ListControl::LabelLength);
  showSettingsList(OrientationCombo, s, ListControl::Orientation);
  showSettingsList(DispenseCombo, s, ListControl::Dispense);
  MediaTypeCombo->setEnabled(s.ignore(IgnoreBox::MediaType) == 0);
  const bool size = s.ignore(IgnoreBox::MediaSize) == 0;
  LabelWidthCombo->setEnabled(size);
  LabelLengthCombo->setEnabled(size);
  CustomizeMedia->setEnabled(size);
  OrientationCombo->setEnabled(s.ignore(IgnoreBox::Orientation) == 0);
  DispenseCombo->setEnabled(s.ignore(IgnoreBox::Dispense) == 0);
}

int Operation::LabelWidthExist(float inches) const { return settings().labelWidthExist(inches); }

int Operation::LabelLengthExist(float inches) const { return settings().labelLengthExist(inches); }

void Operation::Load_Click() {
  if (ctx().navigator) ctx().navigator->openSettingsFileDialog(FileDialogMode::Load);
}

void Operation::CustomizeMedia_Click() {
  WizardShell::Busy busy(shell());
  // A fresh dialog with empty boxes for every opening.
  shell().unload(FormId::CustomDialog);
  shell().show(FormId::CustomDialog);
}

void Operation::Next_Click() {
  WizardShell::Busy busy(shell());
  AppContext& c = ctx();
  if (settings().ignore(IgnoreBox::MediaSize) == 0 &&
      !ValidateMediaSize(settings(), c.printer.PrintWidthClass)) {
    if (c.services.prompts) c.services.prompts->show(MakeFinding(FindingKind::MediaSizeInvalid).box);
    return;
  }
  shell().show(FormId::PrinterSetup);
  hide();
}

void Operation::Prev_Click() {
  WizardShell::Busy busy(shell());
  shell().show(FormId::LoadDlg);
  hide();
}

void Operation::Cancel_Click() {
  WizardShell::Busy busy(shell());
  ConfirmExitCaution(ctx());
}

}  // namespace tlw
