#include "pages/printer_setup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/boxes.h"
#include "core/context.h"
#include "core/finish_rules.h"
#include "core/navigator.h"
#include "pages/finish_dialog.h"
#include "pages/operation.h"
#include "pages/page_parts.h"
#include "platform/prompts.h"

namespace tlw {

using namespace pageparts;

namespace {

QScrollBar* shiftBar(QWidget* parent, const char* name, int minimum, int maximum) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setRange(minimum, maximum);
  bar->setSingleStep(1);  // an arrow click
  bar->setPageStep(1);    // a click in the track
  bar->setMinimumWidth(160);
  return bar;
}

}  // namespace

PrinterSetup::PrinterSetup(WizardShell& shell) : WizardForm(shell, FormId::PrinterSetup) {
  setWindowTitle(QStringLiteral("Printer Setup - Page 2"));

  Title = heading(this, "Title", QStringLiteral("Printer Setup - Page 2"));
  SensorFrame = new QGroupBox(QStringLiteral("         Sensor Setup"), this);
  SensorFrame->setObjectName(QStringLiteral("SensorFrame"));
  EmulationFrame = new QGroupBox(QStringLiteral("         Emulation Setup"), this);
  EmulationFrame->setObjectName(QStringLiteral("EmulationFrame"));
  MediaFrame = new QGroupBox(QStringLiteral("         Media Setup"), this);
  MediaFrame->setObjectName(QStringLiteral("MediaFrame"));

  IgnoreLabel = label(this, "IgnoreLabel", QStringLiteral("Ignore"));
  GapLabel = label(SensorFrame, "GapLabel", QStringLiteral("*Gap Sensor Type:"));
  GapCB = ignoreBox(SensorFrame, "GapCB");
  GapCombo = list(SensorFrame, "GapCombo", false);
  EmulationLabel = label(EmulationFrame, "EmulationLabel", QStringLiteral("Active Emulation:"));
  EmulationCB = ignoreBox(EmulationFrame, "EmulationCB");
  EmulationCombo = list(EmulationFrame, "EmulationCombo", false);
  PrintSpeedLabel = label(MediaFrame, "PrintSpeedLabel", QStringLiteral("Print Speed:"));
  PrintSpeedCB = ignoreBox(MediaFrame, "PrintSpeedCB");
  PrintSpeedCombo = list(MediaFrame, "PrintSpeedCombo", false);
  HorzShiftLabel = label(MediaFrame, "HorzShiftLabel", QStringLiteral("Horizontal Image Shift:"));
  HorzCB = ignoreBox(MediaFrame, "HorzCB");
  HorzShiftHScroll = shiftBar(MediaFrame, "HorzShiftHScroll", kHorzShiftMin, kHorzShiftMax);
  HorzLabel = label(MediaFrame, "HorzLabel", QStringLiteral("0.00"));
  HorzShiftUnit = list(MediaFrame, "HorzShiftUnit", false);
  VertShiftLabel = label(MediaFrame, "VertShiftLabel", QStringLiteral("Vertical Image Shift:"));
  VertCB = ignoreBox(MediaFrame, "VertCB");
  VertShiftHScroll = shiftBar(MediaFrame, "VertShiftHScroll", kVertShiftMin, kVertShiftMax);
  VertLabel = label(MediaFrame, "VertLabel", QStringLiteral("0.00"));
  VertShiftUnit = list(MediaFrame, "VertShiftUnit", false);
  for (QLabel* value : {HorzLabel, VertLabel}) {
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-0000.00")));
  }
  NoteLabel = label(this, "NoteLabel", SettingsPageNote(), true);
  Prev = button(this, "Prev", QStringLiteral("< &Back"));
  Finish = button(this, "Finish", QStringLiteral("&Next >"));
  Cancel = button(this, "Cancel", QStringLiteral("&Cancel"));
  Finish->setDefault(true);

  // Every frame uses the same columns: row label, value, (display, unit), Ignore.
  auto setupGrid = [](QGroupBox* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setColumnMinimumWidth(0, 170);
    grid->setColumnStretch(1, 1);
    return grid;
  };
  QGridLayout* sensor = setupGrid(SensorFrame);
  sensor->addWidget(GapLabel, 0, 0);
  sensor->addWidget(GapCombo, 0, 1, 1, 3);
  sensor->addWidget(GapCB, 0, 4, Qt::AlignHCenter);
  QGridLayout* emulation = setupGrid(EmulationFrame);
  emulation->addWidget(EmulationLabel, 0, 0);
  emulation->addWidget(EmulationCombo, 0, 1, 1, 3);
  emulation->addWidget(EmulationCB, 0, 4, Qt::AlignHCenter);
  QGridLayout* media = setupGrid(MediaFrame);
  media->addWidget(PrintSpeedLabel, 0, 0);
  media->addWidget(PrintSpeedCombo, 0, 1, 1, 3);
  media->addWidget(PrintSpeedCB, 0, 4, Qt::AlignHCenter);
  media->addWidget(HorzShiftLabel, 1, 0);
  media->addWidget(HorzShiftHScroll, 1, 1);
  media->addWidget(HorzLabel, 1, 2);
  media->addWidget(HorzShiftUnit, 1, 3);
  media->addWidget(HorzCB, 1, 4, Qt::AlignHCenter);
  media->addWidget(VertShiftLabel, 2, 0);
  media->addWidget(VertShiftHScroll, 2, 1);
  media->addWidget(VertLabel, 2, 2);
  media->addWidget(VertShiftUnit, 2, 3);
  media->addWidget(VertCB, 2, 4, Qt::AlignHCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Title);
  layout->addWidget(line(this, "Line1"));
  layout->addWidget(IgnoreLabel, 0, Qt::AlignRight);
  layout->addWidget(SensorFrame);
  layout->addWidget(EmulationFrame);
  layout->addWidget(MediaFrame);
  layout->addWidget(NoteLabel);
  layout->addStretch(1);
  layout->addWidget(line(this, "Line2"));
  layout->addLayout(navigationRow(Prev, Finish, Cancel));
  resize(600, 520);

  refresh();
  showCancelCaption();
  bindIgnoreBox(GapCB, settings(), IgnoreBox::Gap);
  bindIgnoreBox(PrintSpeedCB, settings(), IgnoreBox::PrintSpeed);
  bindIgnoreBox(EmulationCB, settings(), IgnoreBox::Emulation);
  bindIgnoreBox(HorzCB, settings(), IgnoreBox::Horz);
  bindIgnoreBox(VertCB, settings(), IgnoreBox::Vert);
  bindList(GapCombo, settings(), ListControl::Gap);
  bindList(PrintSpeedCombo, settings(), ListControl::PrintSpeed);
  bindList(EmulationCombo, settings(), ListControl::Emulation);
  bindList(HorzShiftUnit, settings(), ListControl::HorzUnit);
  bindList(VertShiftUnit, settings(), ListControl::VertUnit);
  connect(HorzShiftHScroll, &QScrollBar::valueChanged, this,
          [this](int v) { settings().setHorzShift(v); });
  connect(VertShiftHScroll, &QScrollBar::valueChanged, this,
          [this](int v) { settings().setVertShift(v); });
  connect(&settings(), &WizardSettings::changed, this, [this] { refresh(); });
  connect(&settings(), &WizardSettings::ignoreChanged, this,
          [this](IgnoreBox box, std::int16_t value) { onIgnoreChanged(box, value); });
  connect(Prev, &QPushButton::clicked, this, [this] { Prev_Click(); });
  connect(Finish, &QPushButton::clicked, this, [this] { Finish_Click(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
}

WizardSettings& PrinterSetup::settings() const { return *ctx().settings; }

void PrinterSetup::refresh() {
  const WizardSettings& s = settings();
  auto showBar = [](QScrollBar* bar, int value) {
    const QSignalBlocker block(bar);
    bar->setValue(value);
  };
  showIgnoreBox(GapCB, s.ignore(IgnoreBox::Gap));
  showIgnoreBox(PrintSpeedCB, s.ignore(IgnoreBox::PrintSpeed));
  showIgnoreBox(EmulationCB, s.ignore(IgnoreBox::Emulation));
  showIgnoreBox(HorzCB, s.ignore(IgnoreBox::Horz));
  showIgnoreBox(VertCB, s.ignore(IgnoreBox::Vert));
  showSettingsList(GapCombo, s, ListControl::Gap);
  showSettingsList(PrintSpeedCombo, s, ListControl::PrintSpeed);
  showSettingsList(EmulationCombo, s, ListControl::Emulation);
  showSettingsList(HorzShiftUnit, s, ListControl::HorzUnit);
  showSettingsList(VertShiftUnit, s, ListControl::VertUnit);
  showBar(HorzShiftHScroll, s.horzShift());
  showBar(VertShiftHScroll, s.vertShift());
  HorzLabel->setText(shiftText(s.horzShift(), s.index(ListControl::HorzUnit) == 1));
  VertLabel->setText(shiftText(s.vertShift(), s.index(ListControl::VertUnit) == 1));

  GapCombo->setEnabled(s.ignore(IgnoreBox::Gap) == 0);
  PrintSpeedCombo->setEnabled(s.ignore(IgnoreBox::PrintSpeed) == 0);
  EmulationCombo->setEnabled(s.ignore(IgnoreBox::Emulation) == 0);
  const bool horz = s.ignore(IgnoreBox::Horz) == 0;
  HorzShiftHScroll->setEnabled(horz);
  HorzLabel->setEnabled(horz);
  HorzShiftUnit->setEnabled(horz);
  const bool vert = s.ignore(IgnoreBox::Vert) == 0;
  VertShiftHScroll->setEnabled(vert);
  VertLabel->setEnabled(vert);
  VertShiftUnit->setEnabled(vert);
}

void PrinterSetup::onIgnoreChanged(IgnoreBox box, std::int16_t value) {
  // Leaving the emulation alone needs no stored configuration: the finish page's
  // save and power-up choices go back to "Ignore" (the page is made if need be).
  if (box != IgnoreBox::Emulation || value == 0 || ctx().exitStarted) return;
  WizardShell::Busy busy(shell());
  if (auto* finish = shell().get<FinishDialog>(FormId::FinishDialog)) finish->checkIgnoreBoxes();
}

void PrinterSetup::showCancelCaption() {
  Cancel->setText(isSet(ctx().session.SettingsSent) ? QStringLiteral("E&xit")
                                                  : QStringLiteral("&Cancel"));
}

void PrinterSetup::showEvent(QShowEvent* event) {
  showCancelCaption();
  WizardForm::showEvent(event);
}

void PrinterSetup::Finish_Click() {
  WizardShell::Busy busy(shell());
  AppContext& c = ctx();
  CollectSettingState(settings(), c.session, c.request);
  if (!isSet(c.session.SettingsSelected)) {
    if (c.services.prompts) c.services.prompts->show(MakeFinding(FindingKind::NothingSelected).box);
    return;
  }
  MessageBox question;
  question.title = QStringLiteral("Save Wizard Settings");
  question.text = QStringLiteral(
      "Would you like to save the changes you made in the wizard\r\n"
      "so you can use it the next time you run this wizard?");
  question.icon = BoxIcon::Question;
  question.buttons = BoxButtons::YesNo;
  question.defaultButton = BoxAnswer::Yes;
  const BoxAnswer answer = c.services.prompts ? c.services.prompts->show(question) : BoxAnswer::No;
  // The box is modal, but the program may have begun to close meanwhile.
  if (c.exitStarted || shell().find(FormId::PrinterSetup) != this) return;
  if (answer == BoxAnswer::Yes) {
    if (c.navigator) c.navigator->openSettingsFileDialog(FileDialogMode::SaveBeforeFinish);
    return;
  }
  hide();
  if (auto* finish = qobject_cast<FinishDialog*>(shell().show(FormId::FinishDialog)))
    finish->SetComboBoxes();
}

void PrinterSetup::Prev_Click() {
  WizardShell::Busy busy(shell());
  shell().show(FormId::Operation);
  hide();
}

void PrinterSetup::Cancel_Click() {
  WizardShell::Busy busy(shell());
  ConfirmExitCaution(ctx());
}

}  // namespace tlw
