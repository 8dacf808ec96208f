// The start page and the settings file dialog in its three modes: names refused
// and completed, the file chooser, saving, loading into fresh pages, Cancel and the
// save before the program ends.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRadioButton>

#include "core/settings_file.h"
#include "wizard_walk.h"

namespace tlw::test {
namespace {

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Page 2 -> "Next >" -> Yes to the save question: the dialog in mode 1.
void toSaveDialog(Walk& w) {
  w.toPage2();
  w.setBox(FormId::PrinterSetup, "PrintSpeedCB", false);
  w.combo(FormId::PrinterSetup, "PrintSpeedCombo")->setCurrentIndex(2);
  w.prompts.answers = {BoxAnswer::Yes};
  ASSERT_TRUE(w.click(FormId::PrinterSetup, "Finish"));
  ASSERT_TRUE(w.visible(FormId::Dialog));
  w.prompts.shown.clear();
}

TEST(StartPage, TextsAndDefaultOption) {
  Walk w;
  w.toStartPage();
  const FormId p = FormId::LoadDlg;
  EXPECT_EQ(w.shell->find(p)->windowTitle(), "Load Wizard Settings");
  EXPECT_EQ(w.labelText(p, "Title"), "Load Wizard Settings");
  EXPECT_EQ(w.labelText(p, "Instruction"),
            "Please specify if you would like to retrieve the wizard settings you made in a "
            "previous session or start new.");
  auto* startNew = w.control<QRadioButton>(p, "StartNew");
  auto* load = w.control<QRadioButton>(p, "Load");
  EXPECT_EQ(startNew->text(), "Start New");
  EXPECT_TRUE(startNew->isChecked());
  EXPECT_EQ(load->text(), "Load Previously Saved Wizard Settings");
  EXPECT_EQ(w.labelText(p, "StartNewText"), "Use the default settings.");
  EXPECT_EQ(w.labelText(p, "LoadText"), "Use the wizard settings you previously saved to a file.");
  EXPECT_EQ(shownText(w.control<QPushButton>(p, "Prev")), "< Back");

  ASSERT_TRUE(w.click(p, "Prev"));
  EXPECT_TRUE(w.visible(FormId::Selection));
  EXPECT_FALSE(w.visible(p));
}

TEST(StartPage, StartNewDiscardsEarlierChoicesAndCustomSizes) {
  Walk w;
  w.toPage2();
  w.setBox(FormId::PrinterSetup, "GapCB", false);
  w.combo(FormId::PrinterSetup, "GapCombo")->setCurrentIndex(2);
  ASSERT_TRUE(w.click(FormId::PrinterSetup, "Prev"));
  w.setBox(FormId::Operation, "MediaSizeCB", false);
  w.settings.appendWidth("3.5\" (88.9mm)", "03500");
  w.combo(FormId::Operation, "LabelWidthCombo")->setCurrentIndex(5);
  ASSERT_TRUE(w.click(FormId::Operation, "Prev"));
  WizardForm* oldPage1 = w.shell->find(FormId::Operation);

  ASSERT_TRUE(w.click(FormId::LoadDlg, "Next"));
  WizardForm* page1 = w.shell->find(FormId::Operation);
  EXPECT_NE(page1, oldPage1);  // a fresh page
  EXPECT_TRUE(page1->isVisible());
  EXPECT_FALSE(w.shell->isLoaded(FormId::PrinterSetup));
  EXPECT_TRUE(w.box(FormId::Operation, "MediaSizeCB")->isChecked());
  EXPECT_EQ(w.combo(FormId::Operation, "LabelWidthCombo")->count(), 5);
  EXPECT_EQ(w.combo(FormId::Operation, "LabelWidthCombo")->currentIndex(), 4);
  ASSERT_TRUE(w.click(FormId::Operation, "Next"));
  EXPECT_TRUE(w.box(FormId::PrinterSetup, "GapCB")->isChecked());
  EXPECT_EQ(w.combo(FormId::PrinterSetup, "GapCombo")->currentText(), "Gap");
}

TEST(SettingsFileDialog, TextsByMode) {
  Walk w;
  w.toStartPage();
  w.control<QRadioButton>(FormId::LoadDlg, "Load")->setChecked(true);
  ASSERT_TRUE(w.click(FormId::LoadDlg, "Next"));
  const FormId d = FormId::Dialog;
  ASSERT_TRUE(w.visible(d));
  EXPECT_FALSE(w.visible(FormId::LoadDlg));
  EXPECT_FALSE(w.visible(FormId::Operation));
  EXPECT_EQ(w.shell->find(d)->windowTitle(), "Load Wizard Settings");
  EXPECT_EQ(w.labelText(d, "Title"), "Load Wizard Settings");
  EXPECT_EQ(w.labelText(d, "Subtitle"),
            "Please select the file that contains previously saved wizard settings");
  EXPECT_EQ(w.labelText(d, "FileNameLabel"), "Filename:");
  EXPECT_EQ(w.edit(d, "FileName")->text(), "");
  EXPECT_EQ(shownText(w.control<QPushButton>(d, "Browse")), "Browse");
  EXPECT_EQ(shownText(w.control<QPushButton>(d, "OKButton")), "OK");
  EXPECT_EQ(shownText(w.control<QPushButton>(d, "CancelButton")), "Cancel");

  for (std::int16_t mode : {1, 2}) {
    w.shell->openSettingsFileDialog(static_cast<FileDialogMode>(mode));
    EXPECT_EQ(w.shell->find(d)->windowTitle(), "Save Wizard Settings");
    EXPECT_EQ(w.labelText(d, "Title"), "Save Wizard Settings");
    EXPECT_EQ(w.labelText(d, "Subtitle"), "Please select a file to hold the wizard settings");
  }
  w.shell->openSettingsFileDialog(static_cast<FileDialogMode>(7));  // any other value loads
  EXPECT_EQ(w.labelText(d, "Title"), "Load Wizard Settings");
}

TEST(SettingsFileDialog, InvalidNamesAreRefusedAndNothingElseHappens) {
  Walk w;
  toSaveDialog(w);
  const FormId d = FormId::Dialog;
  for (const QString& name : {QString(), QStringLiteral(" "), w.folder.path() + "/",
                              QStringLiteral("C:\\settings\\")}) {
    w.prompts.shown.clear();
    w.edit(d, "FileName")->setText(name);
    ASSERT_TRUE(w.click(d, "OKButton"));
    ASSERT_EQ(w.prompts.shown.size(), 1u) << name.toStdString();
    EXPECT_EQ(w.prompts.shown[0].title, "Notice");
    EXPECT_EQ(w.prompts.shown[0].text, "Invalid file name. Please enter a valid file name.");
    EXPECT_TRUE(w.visible(d));
    EXPECT_EQ(w.edit(d, "FileName")->text(), name);
    EXPECT_FALSE(w.visible(FormId::FinishDialog));
    EXPECT_FALSE(isSet(w.ctx.session.SettingsSavedToFile));
  }
  EXPECT_TRUE(QDir(w.folder.path()).entryList(QStringList{"*.tlw"}).isEmpty());
}

TEST(SettingsFileDialog, SaveAddsTheExtensionWritesAndShowsTheFinishPage) {
  Walk w;
  toSaveDialog(w);
  const FormId d = FormId::Dialog;
  const QString base = w.folder.path() + "/settings";
  w.edit(d, "FileName")->setText(base);
  ASSERT_TRUE(w.click(d, "OKButton"));
  EXPECT_TRUE(w.prompts.shown.empty());
  const QByteArray bytes = readAll(base + ".tlw");
  ASSERT_EQ(bytes.size(), 92);
  EXPECT_EQ(bytes, EncodeWizardSettings(w.settings));
  EXPECT_TRUE(isSet(w.ctx.session.SettingsSavedToFile));
  EXPECT_FALSE(w.shell->isLoaded(d));
  EXPECT_TRUE(w.visible(FormId::FinishDialog));
  EXPECT_FALSE(w.visible(FormId::PrinterSetup));
  // Shown without SetComboBoxes: the emulation is ignored, so nothing differs here.
  EXPECT_TRUE(w.box(FormId::FinishDialog, "SaveCfgCB")->isChecked());
}

TEST(SettingsFileDialog, ADotInTheFolderMeansNoExtensionIsAdded) {
  Walk w;
  ASSERT_TRUE(QDir(w.folder.path()).mkdir("my.files"));
  toSaveDialog(w);
  const QString path = w.folder.path() + "/my.files/settings";
  w.edit(FormId::Dialog, "FileName")->setText(path);
  ASSERT_TRUE(w.click(FormId::Dialog, "OKButton"));
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_FALSE(QFile::exists(path + ".tlw"));
}

TEST(SettingsFileDialog, KeepingAnExistingFileLeavesTheDialogOpen) {
  Walk w;
  const QString path = w.folder.path() + "/old.tlw";
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
  }
  toSaveDialog(w);
  w.edit(FormId::Dialog, "FileName")->setText(path);
  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(FormId::Dialog, "OKButton"));
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].title, "File Exist Error");
  EXPECT_EQ(readAll(path), "keep me");
  // Not saved, so not marked as saved: the operator may pick another name.
  EXPECT_FALSE(isSet(w.ctx.session.SettingsSavedToFile));
  EXPECT_TRUE(w.visible(FormId::Dialog));
  EXPECT_FALSE(w.visible(FormId::FinishDialog));

  w.prompts.answers = {BoxAnswer::Yes};
  ASSERT_TRUE(w.click(FormId::Dialog, "OKButton"));
  EXPECT_EQ(readAll(path).size(), 92);
  EXPECT_TRUE(w.visible(FormId::FinishDialog));
}

TEST(SettingsFileDialog, CancelLeadsOnWithoutSaving) {
  Walk w;
  toSaveDialog(w);
  w.edit(FormId::Dialog, "FileName")->setText(w.folder.path() + "/x");
  ASSERT_TRUE(w.click(FormId::Dialog, "CancelButton"));
  EXPECT_FALSE(w.shell->isLoaded(FormId::Dialog));
  EXPECT_TRUE(w.visible(FormId::FinishDialog));
  EXPECT_FALSE(QFile::exists(w.folder.path() + "/x.tlw"));
  EXPECT_FALSE(isSet(w.ctx.session.SettingsSavedToFile));

  // A cancelled load shows page 1 as it was (defaults on a first run).
  Walk w2;
  w2.toStartPage();
  w2.control<QRadioButton>(FormId::LoadDlg, "Load")->setChecked(true);
  ASSERT_TRUE(w2.click(FormId::LoadDlg, "Next"));
  ASSERT_TRUE(w2.click(FormId::Dialog, "CancelButton"));
  EXPECT_TRUE(w2.visible(FormId::Operation));
  EXPECT_TRUE(w2.box(FormId::Operation, "MediaTypeCB")->isChecked());
}

TEST(SettingsFileDialog, LoadFillsFreshPagesWithTheFile) {
  Walk w;
  // A file with custom sizes, made by an earlier run.
  const QString path = w.folder.path() + "/saved.tlw";
  {
    SessionFlags st;
    WizardSettings s(&st);
    s.appendLength("9.5\" (241.3mm)", "09500");
    s.appendLength("12.0\" (304.8mm)", "12000");
    s.appendWidth("3.5\" (88.9mm)", "03500");
    s.setIgnore(IgnoreBox::MediaSize, 0);
    s.setIndex(ListControl::LabelLength, 8);
    s.setIndex(ListControl::LabelWidth, 5);
    s.setIgnore(IgnoreBox::Vert, 0);
    s.setVertShift(-42);
    s.setIgnore(IgnoreBox::Emulation, 0);
    s.setIndex(ListControl::Emulation, 4);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(EncodeWizardSettings(s));
  }
  w.toPage1();
  w.setBox(FormId::Operation, "DispenseCB", false);  // replaced by the load
  ASSERT_TRUE(w.click(FormId::Operation, "Prev"));
  w.control<QRadioButton>(FormId::LoadDlg, "Load")->setChecked(true);
  ASSERT_TRUE(w.click(FormId::LoadDlg, "Next"));
  w.edit(FormId::Dialog, "FileName")->setText(path);
  w.ctx.session.SettingsSavedToFile = kTrue;
  ASSERT_TRUE(w.click(FormId::Dialog, "OKButton"));
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_FALSE(w.shell->isLoaded(FormId::Dialog));
  ASSERT_TRUE(w.visible(FormId::Operation));
  EXPECT_FALSE(isSet(w.ctx.session.SettingsSavedToFile));  // boxes were unchecked

  const FormId p = FormId::Operation;
  EXPECT_TRUE(w.box(p, "DispenseCB")->isChecked());
  EXPECT_FALSE(w.box(p, "MediaSizeCB")->isChecked());
  EXPECT_EQ(w.combo(p, "LabelLengthCombo")->count(), 9);
  EXPECT_EQ(w.combo(p, "LabelLengthCombo")->currentText(), "12.0\" (304.8mm)");
  EXPECT_EQ(w.combo(p, "LabelWidthCombo")->currentText(), "3.5\" (88.9mm)");
  ASSERT_TRUE(w.click(p, "Next"));
  const FormId p2 = FormId::PrinterSetup;
  EXPECT_FALSE(w.box(p2, "VertCB")->isChecked());
  EXPECT_EQ(w.labelText(p2, "VertLabel"), "-0.42");
  EXPECT_EQ(w.combo(p2, "EmulationCombo")->currentText(), "BRUNE");
}

TEST(SettingsFileDialog, ABadFileLeavesDefaultPages) {
  Walk w;
  const QString path = w.folder.path() + "/bad.tlw";
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\x08\x00\x04\x00V1.1", 8));
  }
  w.toPage1();
  w.setBox(FormId::Operation, "OrientationCB", false);
  ASSERT_TRUE(w.click(FormId::Operation, "Prev"));
  w.control<QRadioButton>(FormId::LoadDlg, "Load")->setChecked(true);
  ASSERT_TRUE(w.click(FormId::LoadDlg, "Next"));
  w.edit(FormId::Dialog, "FileName")->setText(path);
  ASSERT_TRUE(w.click(FormId::Dialog, "OKButton"));
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].text,
            "Error Reading File\r\nIncompatible File Type Detected\r\n"
            "Unable to load the saved settings\r\n");
  EXPECT_TRUE(w.visible(FormId::Operation));
  EXPECT_TRUE(w.box(FormId::Operation, "OrientationCB")->isChecked());  // fresh defaults
}

TEST(SettingsFileDialog, BrowseUsesTheChooserAndCompletesTheName) {
  Walk w;
  toSaveDialog(w);
  QString title, folder, filters;
  QWidget* owner = nullptr;
  QString answer = w.folder.path() + "/picked";
  Dialog::fileChooser() = [&](QWidget* o, const QString& t, const QString& f, const QString& fl) {
    owner = o;
    title = t;
    folder = f;
    filters = fl;
    return answer;
  };
  ASSERT_TRUE(w.click(FormId::Dialog, "Browse"));
  EXPECT_EQ(owner, w.shell->find(FormId::Dialog));
  EXPECT_EQ(title, "File Browser");
  EXPECT_EQ(folder, w.ctx.programFolder);
  EXPECT_EQ(filters, "Wizard Settings (*.tlw);;All Files (*.*)");
  EXPECT_EQ(w.edit(FormId::Dialog, "FileName")->text(), answer + ".tlw");

  answer = w.folder.path() + "/other.cfg";
  ASSERT_TRUE(w.click(FormId::Dialog, "Browse"));
  EXPECT_EQ(w.edit(FormId::Dialog, "FileName")->text(), answer);
  answer.clear();  // cancelled: nothing changes
  ASSERT_TRUE(w.click(FormId::Dialog, "Browse"));
  EXPECT_EQ(w.edit(FormId::Dialog, "FileName")->text(), w.folder.path() + "/other.cfg");
  EXPECT_TRUE(w.visible(FormId::Dialog));
}

TEST(SettingsFileDialog, SaveBeforeExitEndsTheProgram) {
  Walk w;
  w.toPage1();
  w.setBox(FormId::Operation, "MediaTypeCB", false);
  // Closing the page: "save before you exit?" Yes opens the dialog in mode 2.
  w.prompts.answers = {BoxAnswer::Yes};
  w.shell->find(FormId::Operation)->close();
  ASSERT_TRUE(w.visible(FormId::Dialog));
  EXPECT_EQ(w.shell->get<Dialog>(FormId::Dialog)->dialogFlag(), FileDialogMode::SaveBeforeExit);
  EXPECT_EQ(w.programEnded, 0);

  const QString path = w.folder.path() + "/before-exit";
  w.edit(FormId::Dialog, "FileName")->setText(path);
  ASSERT_TRUE(w.click(FormId::Dialog, "OKButton"));
  EXPECT_EQ(readAll(path + ".tlw").size(), 92);
  EXPECT_EQ(w.programEnded, 1);
  EXPECT_TRUE(w.shell->loadedForms().empty());
  EXPECT_EQ(w.prompts.shown.size(), 1u);  // no second question
}

TEST(SettingsFileDialog, CloseBoxEndsTheProgram) {
  Walk w;
  toSaveDialog(w);
  w.prompts.answers = {BoxAnswer::No};  // do not save before exit
  w.shell->find(FormId::Dialog)->close();
  EXPECT_EQ(w.programEnded, 1);
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].title, "Leaving Wizard Without Saving Settings");
}

}  // namespace
}  // namespace tlw::test
