// The finish page and the progress window on the fake spooler and virtual clock:
// the run flags, the questions before a run, the whole walk from the welcome page
// to a finished run and to a failed run that returns to page 2, and closing
// windows while a run waits.
#include <gtest/gtest.h>

#include <QPointer>

#include "pages/finish_dialog.h"
#include "pages/progress_dlg.h"
#include "wizard_walk.h"

namespace tlw::test {
namespace {

const FormId F = FormId::FinishDialog;
const FormId P2 = FormId::PrinterSetup;

// Page 2 with the print speed to be sent (and the emulation if asked), then
// "Next >" without saving a settings file: the finish page.
void toFinish(Walk& w, bool changeEmulation = false) {
  w.toPage2();
  w.setBox(P2, "PrintSpeedCB", false);
  w.combo(P2, "PrintSpeedCombo")->setCurrentIndex(2);  // 8 in/sec
  if (changeEmulation) {
    w.setBox(P2, "EmulationCB", false);
    w.combo(P2, "EmulationCombo")->setCurrentIndex(1);
  }
  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(P2, "Finish"));
  ASSERT_TRUE(w.visible(F));
  w.prompts.shown.clear();
}

QStringList titles(const Walk& w) { return w.boxTitles(); }

TEST(FinishPage, TextsAndFirstDisplayWithTheEmulationLeftAlone) {
  Walk w;
  toFinish(w);
  EXPECT_EQ(w.shell->find(F)->windowTitle(), "Send Wizard Settings");
  EXPECT_EQ(w.labelText(F, "Label1"), "Wizard Settings are Ready to be Sent");
  EXPECT_EQ(w.labelText(F, "Label3"),
            "The wizard settings are ready to be sent to the printer listed below:");
  EXPECT_EQ(w.labelText(F, "SelectedPrinterName"), kQueue);
  EXPECT_EQ(w.labelText(F, "Label4"),
            "Please select any additional operation you would like performed after the settings "
            "are sent to the printer.");
  EXPECT_EQ(w.labelText(F, "Ignore"), "Ignore");
  EXPECT_EQ(w.labelText(F, "Label2"), "Save Settings to Printer Configuration");
  EXPECT_EQ(w.labelText(F, "Label5"), "Set Power-Up Configuration to ");
  EXPECT_TRUE(w.labelText(F, "Label6").startsWith("This option allows you to save up to eight"));
  EXPECT_TRUE(w.labelText(F, "Label7").endsWith("will be loaded when the printer is turned on."));
  EXPECT_EQ(shownText(w.control<QPushButton>(F, "Back")), "< Back");
  EXPECT_EQ(shownText(w.control<QPushButton>(F, "CancelButton")), "Cancel");
  EXPECT_EQ(shownText(w.control<QPushButton>(F, "OKButton")), "Finish");

  QComboBox* save = w.combo(F, "SaveCombo");
  QComboBox* power = w.combo(F, "PowerUpCombo");
  ASSERT_EQ(save->count(), 8);
  EXPECT_EQ(save->itemText(0), "Configuration 1");
  EXPECT_EQ(save->itemText(7), "Configuration 8");
  ASSERT_EQ(power->count(), 9);
  EXPECT_EQ(power->itemText(0), "Factory");
  EXPECT_EQ(power->itemText(8), "Configuration 8");
  EXPECT_TRUE(w.box(F, "SaveCfgCB")->isChecked());
  EXPECT_TRUE(w.box(F, "SetPwrUpCB")->isChecked());
  EXPECT_FALSE(save->isEnabled());
  EXPECT_FALSE(power->isEnabled());
  EXPECT_EQ(save->currentText(), "Configuration 1");
  EXPECT_EQ(power->currentText(), "Factory");

  // Ignore boxes govern their lists; checking one returns its list to the top.
  w.setBox(F, "SetPwrUpCB", false);
  EXPECT_TRUE(power->isEnabled());
  power->setCurrentIndex(5);
  w.setBox(F, "SetPwrUpCB", true);
  EXPECT_FALSE(power->isEnabled());
  EXPECT_EQ(power->currentIndex(), 0);

  // Back: page 2 again, nothing changed.
  ASSERT_TRUE(w.click(F, "Back"));
  EXPECT_TRUE(w.visible(P2));
  EXPECT_FALSE(w.visible(F));
}

TEST(FinishPage, EmulationToChangeOffersTheSameConfigurationForBoth) {
  Walk w;
  toFinish(w, true);
  EXPECT_FALSE(w.box(F, "SaveCfgCB")->isChecked());
  EXPECT_FALSE(w.box(F, "SetPwrUpCB")->isChecked());
  EXPECT_TRUE(w.combo(F, "SaveCombo")->isEnabled());
  EXPECT_EQ(w.combo(F, "SaveCombo")->currentText(), "Configuration 1");
  EXPECT_EQ(w.combo(F, "PowerUpCombo")->currentIndex(), 1);

  // The operator ignores the save anyway: notice, box unchecked, nothing sent.
  w.setBox(F, "SaveCfgCB", true);
  ASSERT_TRUE(w.click(F, "OKButton"));
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].title, "Notice");
  EXPECT_EQ(w.prompts.shown[0].text,
            "Changing the active emulation requires you to save the configuration.\r\n"
            "Please select a configuration number to hold this change.");
  EXPECT_FALSE(w.box(F, "SaveCfgCB")->isChecked());
  EXPECT_TRUE(w.combo(F, "SaveCombo")->isEnabled());
  EXPECT_TRUE(w.visible(F));
  EXPECT_TRUE(w.spooler.submitted.empty());
  EXPECT_FALSE(w.shell->isLoaded(FormId::ProgressDlg));

  // Going back and choosing another save entry: SetComboBoxes follows it.
  ASSERT_TRUE(w.click(F, "Back"));
  w.combo(F, "SaveCombo")->setCurrentIndex(4);
  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(P2, "Finish"));
  EXPECT_EQ(w.combo(F, "PowerUpCombo")->currentText(), "Configuration 5");
}

TEST(FinishPage, CalibrationDeclinedSendsNothing) {
  Walk w;
  w.toPage2();
  w.setBox(P2, "GapCB", false);
  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(P2, "Finish"));
  w.prompts.shown.clear();
  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(F, "OKButton"));
  ASSERT_EQ(w.prompts.shown.size(), 2u);
  const MessageBox& q = w.prompts.shown[0];
  EXPECT_EQ(q.title, "Calibration Required");
  EXPECT_EQ(q.text,
            "Warning! One or more of the settings you specified require calibration to be "
            "performed.\r\nCalibration may interfere with current jobs sent to the printer.\r\n\r\n"
            "Do you want to continue?");
  EXPECT_EQ(q.icon, BoxIcon::Warning);
  EXPECT_EQ(q.defaultButton, BoxAnswer::No);
  const MessageBox& n = w.prompts.shown[1];
  EXPECT_EQ(n.title, "Printer Setting Not Saved");
  EXPECT_EQ(n.text, "Setting download aborted. No printer settings were changed");
  EXPECT_EQ(n.icon, BoxIcon::Warning);
  EXPECT_EQ(n.buttons, BoxButtons::Ok);
  EXPECT_TRUE(w.visible(P2));
  EXPECT_TRUE(w.visible(F));  // stays open
  EXPECT_TRUE(w.spooler.submitted.empty());
  EXPECT_FALSE(isSet(w.ctx.session.SettingsSent));
}

TEST(FinishPage, OverwriteDeclinedSendsNothing) {
  Walk w;
  toFinish(w);
  w.setBox(F, "SaveCfgCB", false);
  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(F, "OKButton"));
  ASSERT_EQ(titles(w), (QStringList{"Configuration Overwrite Warning", "Printer Setting Not Saved"}));
  EXPECT_EQ(w.prompts.shown[0].text,
            "Warning! You may overwrite a previously saved configuration.\r\n"
            "Are you sure you want to continue?");
  EXPECT_EQ(w.prompts.shown[0].defaultButton, BoxAnswer::No);
  EXPECT_TRUE(w.visible(P2));
  EXPECT_TRUE(w.spooler.submitted.empty());
}

TEST(FinishPage, SaveToEightAndFactoryPowerUpReachTheRun) {
  Walk w;
  toFinish(w);
  w.setBox(F, "SaveCfgCB", false);
  w.combo(F, "SaveCombo")->setCurrentIndex(7);
  w.setBox(F, "SetPwrUpCB", false);
  w.combo(F, "PowerUpCombo")->setCurrentIndex(0);
  w.printerWorks();
  w.prompts.answers = {BoxAnswer::Yes, BoxAnswer::No};  // overwrite; then exit without saving
  ASSERT_TRUE(w.click(F, "OKButton"));
  EXPECT_TRUE(isSet(w.ctx.request.SaveConfigRequested));
  EXPECT_EQ(w.ctx.request.SaveConfigNumber, 8);
  EXPECT_TRUE(isSet(w.ctx.request.PowerUpRequested));
  EXPECT_EQ(w.ctx.request.PowerUpConfigNumber, 0);
  EXPECT_EQ(titles(w), (QStringList{"Configuration Overwrite Warning", "Process Successful",
                                    "Leaving Wizard Without Saving Settings"}));
  const QList<QByteArray> jobs = w.setupJobs();
  ASSERT_EQ(jobs.size(), 3);  // update, save, power-up
  EXPECT_TRUE(jobs[0].contains("~PAPER;SPEED IPS 8\r\n"));
  EXPECT_TRUE(jobs[1].contains("8"));
  EXPECT_EQ(w.programEnded, 1);
}

TEST(WizardWalk, WelcomeToAFinishedRun) {
  Walk w;
  toFinish(w);
  // Nothing ignored that needs a question: Finish goes straight to the run.
  QPointer<QProgressBar> bar;
  QPointer<QPlainTextEdit> log;
  std::vector<int> progressSeen;
  w.clock.onWait = [&](qint64) {
    if (!bar) {
      bar = w.control<QProgressBar>(FormId::ProgressDlg, "ProgressBar");
      log = w.control<QPlainTextEdit>(FormId::ProgressDlg, "StatusLog");
      EXPECT_TRUE(w.visible(FormId::ProgressDlg));
      EXPECT_FALSE(w.visible(F));
      EXPECT_EQ(w.shell->find(FormId::ProgressDlg)->windowTitle(), "Progress Monitor");
      EXPECT_EQ(w.labelText(FormId::ProgressDlg, "Label1"), "Processing Request");
      EXPECT_EQ(w.labelText(FormId::ProgressDlg, "Label4"),
                "Printer configuration in progress. Please wait.");
      EXPECT_EQ(w.labelText(FormId::ProgressDlg, "Label2"), "Progress Meter:");
      EXPECT_EQ(w.labelText(FormId::ProgressDlg, "Label3"), "Status Log:");
      EXPECT_TRUE(log && log->isReadOnly());
      EXPECT_EQ(bar->minimum(), 0);
      EXPECT_EQ(bar->maximum(), 100);
    }
    if (bar) progressSeen.push_back(bar->value());
    w.spooler.takeAll(kQueue);
  };
  w.prompts.answers = {BoxAnswer::No};  // leaving without a settings file
  ASSERT_TRUE(w.click(F, "OKButton"));
  EXPECT_EQ(titles(w), (QStringList{"Process Successful", "Leaving Wizard Without Saving Settings"}));
  EXPECT_EQ(progressSeen, (std::vector<int>{30, 30}));  // the update step's two waits
  ASSERT_TRUE(bar && log);  // unloaded, not yet deleted
  EXPECT_EQ(bar->value(), 100);
  EXPECT_EQ(log->toPlainText(),
            "Initializing ....\nSending configuration update request to printer.\n"
            "  ... Request received OK\nPrinter Successfully Configured.");
  EXPECT_EQ(w.setupJobs(),
            (QList<QByteArray>{"!KVX_SETUP\r\nWINMODE-BEGIN\r\nKVX_END\r\n~PAPER;SPEED IPS 8\r\n"
                               "!KVX_SETUP\r\nWINMODE-END\r\nKVX_END\r\n"}));
  EXPECT_TRUE(isSet(w.ctx.session.SettingsSent));
  EXPECT_EQ(w.programEnded, 1);
  EXPECT_TRUE(w.shell->loadedForms().empty());
}

TEST(WizardWalk, AFailedRunReturnsToPage2AndCanBeRunAgain) {
  Walk w;
  toFinish(w);
  w.setBox(F, "SaveCfgCB", false);
  w.combo(F, "SaveCombo")->setCurrentIndex(2);
  // The printer takes the update (and its probe), then stops: the save job sticks.
  bool printerOn = true;
  w.clock.onWait = [&](qint64) {
    if (w.setupJobs().size() >= 2) printerOn = false;
    if (printerOn) w.spooler.takeAll(kQueue);
  };
  w.prompts.answers = {BoxAnswer::Yes};  // overwrite
  ASSERT_TRUE(w.click(F, "OKButton"));
  EXPECT_EQ(titles(w), (QStringList{"Configuration Overwrite Warning", "Printer Error"}));
  EXPECT_EQ(w.programEnded, 0);
  EXPECT_TRUE(w.visible(P2));
  EXPECT_TRUE(w.visible(FormId::ProgressDlg));  // stays with its log
  EXPECT_FALSE(w.visible(F));
  EXPECT_EQ(w.spooler.jobCount(kQueue), 0u);  // purged
  const QString log = w.control<QPlainTextEdit>(FormId::ProgressDlg, "StatusLog")->toPlainText();
  EXPECT_TRUE(log.startsWith("Initializing ....\nSending configuration update request to printer.\n"
                             "  ... Request received OK\nRequesting configuration to be saved.\n"
                             "... Error Detected. The command failed. Program unable to continue.\n"))
      << log.toStdString();
  EXPECT_TRUE(log.endsWith("... Please check the printer. Correct the error and try again.\n"
                           "Program terminated!!!"));
  EXPECT_EQ(w.control<QProgressBar>(FormId::ProgressDlg, "ProgressBar")->value(), 60);
  EXPECT_FALSE(isSet(w.ctx.session.SettingsSent));
  EXPECT_EQ(shownText(w.control<QPushButton>(P2, "Cancel")), "Cancel");

  // The operator fixes the printer and tries again. The new run starts without the
  // earlier error: the update and the save are both sent, and success ends the wizard.
  printerOn = true;
  w.clock.onWait = [&](qint64) { w.spooler.takeAll(kQueue); };
  const auto jobsBefore = w.setupJobs().size();
  w.prompts.shown.clear();
  w.prompts.answers = {BoxAnswer::No, BoxAnswer::Yes, BoxAnswer::No};
  ASSERT_TRUE(w.click(P2, "Finish"));
  ASSERT_TRUE(w.visible(F));
  EXPECT_FALSE(w.box(F, "SaveCfgCB")->isChecked());  // kept from before
  ASSERT_TRUE(w.click(F, "OKButton"));
  EXPECT_EQ(titles(w), (QStringList{"Save Wizard Settings", "Configuration Overwrite Warning",
                                    "Process Successful", "Leaving Wizard Without Saving Settings"}));
  EXPECT_EQ(w.setupJobs().size(), jobsBefore + 2);
  EXPECT_FALSE(isSet(w.ctx.session.JobErrorFlag));
  EXPECT_EQ(w.programEnded, 1);
}

TEST(WizardWalk, ClosingTheProgressWindowDuringAWaitEndsTheProgram) {
  Walk w;
  toFinish(w);
  int waits = 0;
  w.clock.onWait = [&](qint64) {
    if (++waits == 1) w.shell->find(FormId::ProgressDlg)->close();
  };
  w.prompts.answers = {BoxAnswer::No};  // leave without saving
  ASSERT_TRUE(w.click(F, "OKButton"));
  EXPECT_EQ(waits, 1);  // the run stopped in its first wait
  EXPECT_EQ(titles(w), (QStringList{"Leaving Wizard Without Saving Settings"}));
  EXPECT_EQ(w.programEnded, 1);
  EXPECT_TRUE(w.shell->loadedForms().empty());
  w.flush();  // the forms are deleted now; nothing may touch them afterwards
  EXPECT_EQ(w.setupJobs().size(), 1);
}

TEST(WizardWalk, ClosingOtherWindowsDuringARunOrABoxEndsCleanly) {
  // Page 2 (hidden) closed by the desktop in the middle of the run.
  {
    Walk w;
    toFinish(w);
    w.clock.onWait = [&](qint64) {
      if (WizardForm* page = w.shell->find(P2)) page->close();
    };
    w.prompts.answers = {BoxAnswer::No};
    ASSERT_TRUE(w.click(F, "OKButton"));
    EXPECT_EQ(w.programEnded, 1);
    w.flush();
  }
  // The finish page closed while its calibration question is up.
  {
    Walk w;
    w.toPage2();
    w.settings.setIgnore(IgnoreBox::MediaType, 0);  // print mode: needs calibration
    w.prompts.answers = {BoxAnswer::No};
    ASSERT_TRUE(w.click(P2, "Finish"));
    w.prompts.onShow = [&](const MessageBox& box) {
      if (box.title == "Calibration Required") w.shell->find(F)->close();
    };
    w.prompts.answers = {BoxAnswer::No, BoxAnswer::Yes};  // leave without saving; "Yes" to calibrate
    ASSERT_TRUE(w.click(F, "OKButton"));
    EXPECT_EQ(w.programEnded, 1);
    EXPECT_TRUE(w.spooler.submitted.empty());
    EXPECT_FALSE(w.shell->isLoaded(FormId::ProgressDlg));
    w.flush();
  }
}

TEST(WizardWalk, FinishDuringARunStartsNothingMore) {
  Walk w;
  toFinish(w);
  int waits = 0;
  w.clock.onWait = [&](qint64) {
    if (++waits == 1) {
      auto* finish = qobject_cast<FinishDialog*>(w.shell->find(F));
      ASSERT_NE(finish, nullptr);
      finish->OKButton_Click();  // a second Finish while the first run waits
    }
    w.spooler.takeAll(kQueue);
  };
  w.prompts.answers = {BoxAnswer::No};
  ASSERT_TRUE(w.click(F, "OKButton"));
  EXPECT_EQ(w.setupJobs().size(), 1);
  EXPECT_EQ(waits, 2);
  EXPECT_EQ(w.programEnded, 1);
}

}  // namespace
}  // namespace tlw::test
