// The two settings pages driven by clicks: texts, defaults, the Ignore rule, the
// size check, the image shift display and where "Next >", "< Back" and Cancel lead.
#include <gtest/gtest.h>

#include <QGroupBox>

#include "pages/finish_dialog.h"
#include "pages/operation.h"
#include "wizard_walk.h"

namespace tlw::test {
namespace {

const QString kNote = QStringLiteral(
    "Please specify the value to be saved on the printer. If \"Ignore\" is checked, the value "
    "will not be changed on the printer. Note: The printer will perform a calibration when you "
    "change a setting with an asterisk.");

QStringList entries(QComboBox* c) {
  QStringList out;
  for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  return out;
}

TEST(MediaSetupPage, FreshPageShowsDefaultsAllIgnoredAndDisabled) {
  Walk w;
  w.toPage1();
  const FormId p = FormId::Operation;
  EXPECT_EQ(w.shell->find(p)->windowTitle(), "Printer Setup - Page 1");
  EXPECT_EQ(w.labelText(p, "Title"), "Printer Setup - Page 1");
  EXPECT_EQ(w.control<QGroupBox>(p, "MediaFrame")->title(), "         Media Setup");
  EXPECT_EQ(w.labelText(p, "IgnoreLabel"), "Ignore");
  EXPECT_EQ(w.labelText(p, "PrintModeLabel"), "*Print Mode:");
  EXPECT_EQ(w.labelText(p, "LabelWidthLabel"), "*Label Width:");
  EXPECT_EQ(w.labelText(p, "LabelLengthLabel"), "*Label Length:");
  EXPECT_EQ(w.labelText(p, "OrientationLabel"), "Orientation:");
  EXPECT_EQ(w.labelText(p, "DispenseLabel"), "Media Handling:");
  EXPECT_EQ(w.labelText(p, "NoteLabel"), kNote);
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "CustomizeMedia")), "Customize");
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "Prev")), "< Back");
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "Next")), "Next >");
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "Cancel")), "Cancel");

  for (const char* cb : {"MediaTypeCB", "MediaSizeCB", "OrientationCB", "DispenseCB"})
    EXPECT_TRUE(w.box(p, cb)->isChecked()) << cb;
  struct Expect {
    const char* name;
    QString shown;
    int count;
    bool editable;
  };
  for (const Expect& e : {Expect{"MediaTypeCombo", "Thermal Transfer", 2, false},
                          Expect{"LabelWidthCombo", "4.0\" (101.6mm)", 5, true},
                          Expect{"LabelLengthCombo", "6.0\" (152.4mm)", 7, true},
                          Expect{"OrientationCombo", "Portrait", 4, false},
                          Expect{"DispenseCombo", "Tear-off Strip", 4, false}}) {
    QComboBox* c = w.combo(p, e.name);
    ASSERT_NE(c, nullptr) << e.name;
    EXPECT_FALSE(c->isEnabled()) << e.name;
    EXPECT_EQ(c->currentText(), e.shown) << e.name;
    EXPECT_EQ(c->count(), e.count) << e.name;
    EXPECT_EQ(c->isEditable(), e.editable) << e.name;
  }
  EXPECT_EQ(entries(w.combo(p, "LabelWidthCombo")),
            (QStringList{"1.5\" (38.1mm)", "2.0\" (50.8mm)", "2.5\" (63.5mm)", "3.0\" (76.2mm)",
                         "4.0\" (101.6mm)"}));
  EXPECT_EQ(entries(w.combo(p, "DispenseCombo")),
            (QStringList{"Continuous", "Tear-off Strip", "Peel-off", "Cut"}));
  EXPECT_FALSE(w.control<QPushButton>(p, "CustomizeMedia")->isEnabled());
}

TEST(MediaSetupPage, IgnoreRuleEnablesAndResetsIncludingCustomEntries) {
  Walk w;
  w.toPage1();
  const FormId p = FormId::Operation;
  w.ctx.session.SettingsSavedToFile = kTrue;
  w.setBox(p, "MediaSizeCB", false);
  EXPECT_FALSE(isSet(w.ctx.session.SettingsSavedToFile));
  EXPECT_TRUE(w.combo(p, "LabelWidthCombo")->isEnabled());
  EXPECT_TRUE(w.combo(p, "LabelLengthCombo")->isEnabled());
  EXPECT_TRUE(w.control<QPushButton>(p, "CustomizeMedia")->isEnabled());
  EXPECT_FALSE(w.combo(p, "MediaTypeCombo")->isEnabled());  // other rows untouched

  // A custom width is picked, then the box is checked again: the default comes
  // back, the custom entry stays in the list.
  w.settings.appendWidth("4.1\" (104.1mm)", "04100");
  w.combo(p, "LabelWidthCombo")->setCurrentIndex(5);
  w.combo(p, "LabelLengthCombo")->setCurrentIndex(0);
  EXPECT_EQ(w.settings.index(ListControl::LabelWidth), 5);
  w.setBox(p, "MediaSizeCB", true);
  EXPECT_EQ(w.combo(p, "LabelWidthCombo")->currentIndex(), 4);
  EXPECT_EQ(w.combo(p, "LabelLengthCombo")->currentIndex(), 5);
  EXPECT_EQ(w.combo(p, "LabelWidthCombo")->count(), 6);
  EXPECT_FALSE(w.combo(p, "LabelWidthCombo")->isEnabled());

  // Same rule for a pick-only row.
  w.setBox(p, "DispenseCB", false);
  w.combo(p, "DispenseCombo")->setCurrentIndex(3);
  EXPECT_EQ(w.settings.index(ListControl::Dispense), 3);
  w.setBox(p, "DispenseCB", true);
  EXPECT_EQ(w.combo(p, "DispenseCombo")->currentText(), "Tear-off Strip");
}

TEST(MediaSetupPage, ProgramChangesToTheSettingsShowOnThePage) {
  // A settings file sets the record, not the controls: the page follows.
  Walk w;
  w.toPage1();
  const FormId p = FormId::Operation;
  w.settings.setIgnore(IgnoreBox::Orientation, 0);
  w.settings.setIndex(ListControl::Orientation, 2);
  w.settings.appendLength("9.5\" (241.3mm)", "09500");
  w.settings.setIgnore(IgnoreBox::MediaSize, 0);
  w.settings.setIndex(ListControl::LabelLength, 7);
  EXPECT_FALSE(w.box(p, "OrientationCB")->isChecked());
  EXPECT_TRUE(w.combo(p, "OrientationCombo")->isEnabled());
  EXPECT_EQ(w.combo(p, "OrientationCombo")->currentText(), "Inverse Portrait");
  EXPECT_EQ(w.combo(p, "LabelLengthCombo")->currentText(), "9.5\" (241.3mm)");
  EXPECT_EQ(w.combo(p, "LabelLengthCombo")->count(), 8);
}

TEST(MediaSetupPage, SizeCheckOnNext) {
  const QString notice = QStringLiteral(
      "Invalid media size selected or media size entered manually.\r\n"
      "Please use the drop down menu or Customize button to specify the media size");
  Walk w;
  w.toPage1();
  const FormId p = FormId::Operation;

  // Typed text while the size is ignored: no check at all.
  w.combo(p, "LabelWidthCombo")->setEditText("7 inches");
  ASSERT_TRUE(w.click(p, "Next"));
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_TRUE(w.visible(FormId::PrinterSetup));
  ASSERT_TRUE(w.click(FormId::PrinterSetup, "Prev"));
  ASSERT_TRUE(w.visible(p));

  // Typed text with the size to be sent: the notice, both lists back to defaults.
  w.setBox(p, "MediaSizeCB", false);
  w.combo(p, "LabelLengthCombo")->setCurrentIndex(1);
  w.combo(p, "LabelWidthCombo")->setEditText("3.3\" (83.8mm)");
  EXPECT_EQ(w.settings.index(ListControl::LabelWidth), -1);
  ASSERT_TRUE(w.click(p, "Next"));
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].title, "Notice");
  EXPECT_EQ(w.prompts.shown[0].text, notice);
  EXPECT_TRUE(w.visible(p));
  EXPECT_FALSE(w.visible(FormId::PrinterSetup));
  EXPECT_EQ(w.combo(p, "LabelWidthCombo")->currentText(), "4.0\" (101.6mm)");
  EXPECT_EQ(w.combo(p, "LabelLengthCombo")->currentText(), "6.0\" (152.4mm)");

  // Typing an entry's exact text counts as picking it.
  w.combo(p, "LabelWidthCombo")->setEditText("2.5\" (63.5mm)");
  EXPECT_EQ(w.settings.index(ListControl::LabelWidth), 2);

  // A custom width too wide for a 4-inch printer: the notice, selection kept.
  w.ctx.printer.PrintWidthClass = 4;
  w.settings.appendWidth("4.5\" (114.3mm)", "04500");
  w.combo(p, "LabelWidthCombo")->setCurrentIndex(5);
  ASSERT_TRUE(w.click(p, "Next"));
  ASSERT_EQ(w.prompts.shown.size(), 2u);
  EXPECT_EQ(w.combo(p, "LabelWidthCombo")->currentIndex(), 5);
  EXPECT_TRUE(w.visible(p));
  // 4.1 inches still fits.
  w.settings.appendWidth("4.1\" (104.1mm)", "04100");
  w.combo(p, "LabelWidthCombo")->setCurrentIndex(6);
  ASSERT_TRUE(w.click(p, "Next"));
  EXPECT_EQ(w.prompts.shown.size(), 2u);
  EXPECT_TRUE(w.visible(FormId::PrinterSetup));
}

TEST(MediaSetupPage, BackCancelAndCloseBox) {
  Walk w;
  w.toPage1();
  ASSERT_TRUE(w.click(FormId::Operation, "Prev"));
  EXPECT_TRUE(w.visible(FormId::LoadDlg));
  EXPECT_FALSE(w.visible(FormId::Operation));
  ASSERT_TRUE(w.click(FormId::LoadDlg, "Next"));

  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(FormId::Operation, "Cancel"));
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].title, "Caution Exiting Wizard");
  EXPECT_TRUE(w.visible(FormId::Operation));
  EXPECT_EQ(w.programEnded, 0);

  w.shell->find(FormId::Operation)->close();  // nothing selected: no question
  EXPECT_EQ(w.programEnded, 1);
  EXPECT_TRUE(w.shell->loadedForms().empty());
}

TEST(SecondSettingsPage, FreshPageShowsDefaults) {
  Walk w;
  w.toPage2();
  const FormId p = FormId::PrinterSetup;
  EXPECT_EQ(w.shell->find(p)->windowTitle(), "Printer Setup - Page 2");
  EXPECT_EQ(w.labelText(p, "Title"), "Printer Setup - Page 2");
  QStringList frames;
  for (auto* g : w.shell->find(p)->findChildren<QGroupBox*>()) frames << g->title();
  frames.sort();
  EXPECT_EQ(frames, (QStringList{"         Emulation Setup", "         Media Setup",
                                 "         Sensor Setup"}));
  EXPECT_EQ(w.labelText(p, "GapLabel"), "*Gap Sensor Type:");
  EXPECT_EQ(w.labelText(p, "PrintSpeedLabel"), "Print Speed:");
  EXPECT_EQ(w.labelText(p, "EmulationLabel"), "Active Emulation:");
  EXPECT_EQ(w.labelText(p, "HorzShiftLabel"), "Horizontal Image Shift:");
  EXPECT_EQ(w.labelText(p, "VertShiftLabel"), "Vertical Image Shift:");
  EXPECT_EQ(w.labelText(p, "IgnoreLabel"), "Ignore");
  EXPECT_EQ(w.labelText(p, "NoteLabel"), kNote);
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "Finish")), "Next >");
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "Cancel")), "Cancel");

  for (const char* cb : {"GapCB", "PrintSpeedCB", "EmulationCB", "HorzCB", "VertCB"})
    EXPECT_TRUE(w.box(p, cb)->isChecked()) << cb;
  EXPECT_EQ(w.combo(p, "PrintSpeedCombo")->currentText(), "4 in/sec (101.6 mm/sec)");
  EXPECT_EQ(w.combo(p, "PrintSpeedCombo")->count(), 10);
  EXPECT_EQ(w.combo(p, "GapCombo")->currentText(), "Gap");
  EXPECT_EQ(w.combo(p, "EmulationCombo")->currentText(), "VEXA");
  EXPECT_EQ(entries(w.combo(p, "EmulationCombo")),
            (QStringList{"VEXA", "KORU", "NIMB", "OSSA", "BRUNE", "FALK"}));
  for (const char* name : {"GapCombo", "PrintSpeedCombo", "EmulationCombo", "HorzShiftUnit",
                           "VertShiftUnit"}) {
    EXPECT_FALSE(w.combo(p, name)->isEditable()) << name;  // pick-only
    EXPECT_FALSE(w.combo(p, name)->isEnabled()) << name;
  }
  EXPECT_EQ(entries(w.combo(p, "HorzShiftUnit")), (QStringList{"inch", "mm"}));
  EXPECT_EQ(w.combo(p, "VertShiftUnit")->currentText(), "inch");
  auto* horz = w.control<QScrollBar>(p, "HorzShiftHScroll");
  auto* vert = w.control<QScrollBar>(p, "VertShiftHScroll");
  EXPECT_EQ(horz->minimum(), -100);
  EXPECT_EQ(horz->maximum(), 100);
  EXPECT_EQ(vert->minimum(), -100);
  EXPECT_EQ(vert->maximum(), 1280);
  EXPECT_EQ(horz->pageStep(), 1);
  EXPECT_EQ(horz->value(), 0);
  EXPECT_FALSE(horz->isEnabled());
  EXPECT_EQ(w.labelText(p, "HorzLabel"), "0.00");
  EXPECT_EQ(w.labelText(p, "VertLabel"), "0.00");
  EXPECT_FALSE(w.control<QLabel>(p, "HorzLabel")->isEnabled());
}

TEST(SecondSettingsPage, ImageShiftDisplay) {
  Walk w;
  w.toPage2();
  const FormId p = FormId::PrinterSetup;
  w.setBox(p, "HorzCB", false);
  w.setBox(p, "VertCB", false);
  auto* horz = w.control<QScrollBar>(p, "HorzShiftHScroll");
  auto* vert = w.control<QScrollBar>(p, "VertShiftHScroll");

  horz->setValue(100);
  w.ctx.session.SettingsSavedToFile = kTrue;
  w.combo(p, "HorzShiftUnit")->setCurrentIndex(1);
  EXPECT_FALSE(isSet(w.ctx.session.SettingsSavedToFile));  // a unit change counts
  EXPECT_EQ(w.labelText(p, "HorzLabel"), "25.40");
  EXPECT_EQ(w.settings.horzShift(), 100);  // only the display changed
  w.combo(p, "HorzShiftUnit")->setCurrentIndex(0);
  horz->setValue(-100);
  EXPECT_EQ(w.labelText(p, "HorzLabel"), "-1.00");
  horz->setValue(-3);
  EXPECT_EQ(w.labelText(p, "HorzLabel"), "-0.03");
  w.combo(p, "HorzShiftUnit")->setCurrentIndex(1);
  EXPECT_EQ(w.labelText(p, "HorzLabel"), "-0.76");  // -0.762 mm

  vert->setValue(1280);
  EXPECT_EQ(w.labelText(p, "VertLabel"), "12.80");
  w.combo(p, "VertShiftUnit")->setCurrentIndex(1);
  EXPECT_EQ(w.labelText(p, "VertLabel"), "325.12");
  vert->setValue(37);
  EXPECT_EQ(w.labelText(p, "VertLabel"), "9.40");  // 9.398 mm
  EXPECT_EQ(w.settings.vertShift(), 37);

  // Checking the box: value 0, unit inch, display 0.00, controls disabled.
  horz->setValue(37);
  w.setBox(p, "HorzCB", true);
  EXPECT_EQ(horz->value(), 0);
  EXPECT_EQ(w.settings.horzShift(), 0);
  EXPECT_EQ(w.combo(p, "HorzShiftUnit")->currentText(), "inch");
  EXPECT_EQ(w.labelText(p, "HorzLabel"), "0.00");
  EXPECT_FALSE(horz->isEnabled());
  EXPECT_FALSE(w.combo(p, "HorzShiftUnit")->isEnabled());
  EXPECT_EQ(w.labelText(p, "VertLabel"), "9.40");  // the other shift is untouched
}

TEST(SecondSettingsPage, CheckingEmulationChecksTheFinishPageBoxes) {
  Walk w;
  w.toPage2();
  const FormId p = FormId::PrinterSetup;
  EXPECT_FALSE(w.shell->isLoaded(FormId::FinishDialog));
  w.setBox(p, "EmulationCB", false);
  w.combo(p, "EmulationCombo")->setCurrentIndex(3);
  w.prompts.answers = {BoxAnswer::No};  // no settings file
  ASSERT_TRUE(w.click(p, "Finish"));
  ASSERT_TRUE(w.visible(FormId::FinishDialog));
  EXPECT_FALSE(w.box(FormId::FinishDialog, "SaveCfgCB")->isChecked());
  ASSERT_TRUE(w.click(FormId::FinishDialog, "Back"));

  w.setBox(p, "EmulationCB", true);
  EXPECT_EQ(w.combo(p, "EmulationCombo")->currentIndex(), 0);
  EXPECT_TRUE(w.box(FormId::FinishDialog, "SaveCfgCB")->isChecked());
  EXPECT_TRUE(w.box(FormId::FinishDialog, "SetPwrUpCB")->isChecked());
  EXPECT_FALSE(w.combo(FormId::FinishDialog, "SaveCombo")->isEnabled());

  // Before the finish page exists, checking the box creates it with both checked.
  Walk w2;
  w2.toPage2();
  w2.setBox(p, "EmulationCB", false);
  w2.setBox(p, "EmulationCB", true);
  ASSERT_TRUE(w2.shell->isLoaded(FormId::FinishDialog));
  EXPECT_FALSE(w2.visible(FormId::FinishDialog));
  EXPECT_TRUE(w2.box(FormId::FinishDialog, "SaveCfgCB")->isChecked());
}

TEST(SecondSettingsPage, NextNeedsASettingAndAsksAboutSaving) {
  Walk w;
  w.toPage2();
  const FormId p = FormId::PrinterSetup;
  ASSERT_TRUE(w.click(p, "Finish"));
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].title, "Notice");
  EXPECT_EQ(w.prompts.shown[0].text,
            "No settings selected. Please select a setting to change or press cancel to exit");
  EXPECT_TRUE(w.visible(p));
  EXPECT_FALSE(w.shell->isLoaded(FormId::FinishDialog));

  // A setting on page 1 counts as well.
  ASSERT_TRUE(w.click(p, "Prev"));
  w.setBox(FormId::Operation, "OrientationCB", false);
  ASSERT_TRUE(w.click(FormId::Operation, "Next"));
  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(p, "Finish"));
  ASSERT_EQ(w.prompts.shown.size(), 2u);
  const MessageBox& q = w.prompts.shown[1];
  EXPECT_EQ(q.title, "Save Wizard Settings");
  EXPECT_EQ(q.text,
            "Would you like to save the changes you made in the wizard\r\n"
            "so you can use it the next time you run this wizard?");
  EXPECT_EQ(q.icon, BoxIcon::Question);
  EXPECT_EQ(q.buttons, BoxButtons::YesNo);
  EXPECT_TRUE(w.visible(FormId::FinishDialog));
  EXPECT_FALSE(w.visible(p));
  EXPECT_TRUE(isSet(w.ctx.session.SettingsSelected));
  EXPECT_FALSE(isSet(w.ctx.request.CalibrationNeeded));

  // Yes opens the save dialog in its save-before-finishing mode instead.
  ASSERT_TRUE(w.click(FormId::FinishDialog, "Back"));
  w.prompts.answers = {BoxAnswer::Yes};
  ASSERT_TRUE(w.click(p, "Finish"));
  ASSERT_TRUE(w.visible(FormId::Dialog));
  EXPECT_EQ(w.shell->get<Dialog>(FormId::Dialog)->dialogFlag(), FileDialogMode::SaveBeforeFinish);
  EXPECT_FALSE(w.visible(p));
}

TEST(SecondSettingsPage, CancelBecomesExitOnceSent) {
  Walk w;
  w.toPage2();
  const FormId p = FormId::PrinterSetup;
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "Cancel")), "Cancel");
  w.ctx.session.SettingsSent = kTrue;
  ASSERT_TRUE(w.click(p, "Prev"));
  ASSERT_TRUE(w.click(FormId::Operation, "Next"));
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "Cancel")), "Exit");
  // Once sent, Exit ends the wizard without the caution question.
  ASSERT_TRUE(w.click(p, "Cancel"));
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_EQ(w.programEnded, 1);
}

}  // namespace
}  // namespace tlw::test
