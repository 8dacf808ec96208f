// The welcome page: texts, Next with and without a compatible printer, the driver
// check with its question, setup run and retry, and the CD menu tool.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPointer>

#include "core/exit.h"
#include "pages_harness.h"

namespace tlw::test {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString driverQuestion() {
  return QStringLiteral("No compatible Windows driver found!") + kCrLf +
         QStringLiteral("You must have at least one compatible Windows printer driver installed "
                        "before you can use this application.") +
         kCrLf + QStringLiteral("Would you like to install a Windows printer driver now?");
}

void makeSetupFile(PagesHarness& h) {
  QFile f(h.folder.filePath(QStringLiteral("Zov5820K35DriverSetup.exe")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\n");
}

TEST(WelcomePage, ShowsItsTextsAndButtons) {
  PagesHarness h;
  WizardForm* intro = h.shell->show(FormId::ZovIntro);
  ASSERT_NE(intro, nullptr);
  EXPECT_EQ(intro->windowTitle(), "Welcome");
  EXPECT_EQ(h.control<QLabel>(FormId::ZovIntro, "Label1")->text(), "Welcome to the Zov Tenlark");
  EXPECT_EQ(h.control<QLabel>(FormId::ZovIntro, "Label2")->text(), "To continue, click Next");
  EXPECT_TRUE(h.control<QLabel>(FormId::ZovIntro, "Label3")->text().startsWith(
      "This wizard will guide you through the process of configuring the basic settings"));
  EXPECT_FALSE(h.control<QLabel>(FormId::ZovIntro, "Logo")->pixmap().isNull());
  auto* next = h.control<QPushButton>(FormId::ZovIntro, "Next");
  EXPECT_EQ(shownText(next), "Next >");
  EXPECT_TRUE(next->isDefault());
  EXPECT_EQ(nextTabStop(next), h.control<QWidget>(FormId::ZovIntro, "Exit"));
  EXPECT_EQ(shownText(h.control<QPushButton>(FormId::ZovIntro, "About")), "About");
  EXPECT_EQ(shownText(h.control<QPushButton>(FormId::ZovIntro, "Exit")), "Exit");

  // The maker-brand twin differs in its heading and its setup program.
  h.shell->load(FormId::Intro);
  EXPECT_EQ(h.control<QLabel>(FormId::Intro, "Label1")->text(), "Welcome to the Varelle Tenlark");
}

TEST(WelcomePage, NextWithOneCompatiblePrinterOpensSelectionAndUnloadsItself) {
  PagesHarness h;
  h.spooler.addPrinter("Office", "HP LaserJet 4000");
  h.spooler.addPrinter("Labels", "Zov 5820-K35 4in");
  h.spooler.addPrinter("Other", "Acme Label 200");
  h.spooler.setDefault("Office");
  h.shell->show(FormId::ZovIntro);

  ASSERT_TRUE(h.click(FormId::ZovIntro, "Next"));
  EXPECT_TRUE(h.visible(FormId::Selection));
  EXPECT_FALSE(h.shell->isLoaded(FormId::ZovIntro));
  EXPECT_EQ(h.listed(), QStringList{"Labels"});
  EXPECT_EQ(h.ctx.printer.SelectedPrinterName, "Labels");
  EXPECT_TRUE(h.prompts.shown.empty());
  EXPECT_EQ(h.programEnded, 0);
}

TEST(WelcomePage, ReturnKeyActsAsNext) {
  PagesHarness h;
  h.spooler.addPrinter("Labels", "Zov5820-K35 4in");
  WizardForm* intro = h.shell->show(FormId::ZovIntro);
  // Even with the focus on another button Return means Next.
  h.control<QPushButton>(FormId::ZovIntro, "Exit")->setFocus();
  pressReturn(intro);
  EXPECT_TRUE(h.visible(FormId::Selection));
  EXPECT_FALSE(h.shell->isLoaded(FormId::ZovIntro));
  EXPECT_TRUE(h.prompts.shown.empty());
}

TEST(WelcomePage, NoDriverAnsweredNoEndsTheProgram) {
  PagesHarness h;
  h.spooler.addPrinter("Office", "HP LaserJet 4000");
  h.ctx.session.SettingsSelected = kTrue;
  h.prompts.answers = {BoxAnswer::No};
  h.shell->show(FormId::ZovIntro);

  h.click(FormId::ZovIntro, "Next");
  ASSERT_EQ(h.prompts.shown.size(), 1u);
  const MessageBox& q = h.prompts.shown[0];
  EXPECT_EQ(q.title, "No Compatible Drivers Found");
  EXPECT_EQ(q.text, driverQuestion());
  EXPECT_EQ(q.icon, BoxIcon::Question);
  EXPECT_EQ(q.buttons, BoxButtons::YesNo);
  EXPECT_EQ(h.ctx.session.SettingsSelected, kFalse);
  EXPECT_TRUE(h.processes.started.empty());
  EXPECT_TRUE(h.shell->loadedForms().empty());
  EXPECT_EQ(h.programEnded, 1);
}

TEST(WelcomePage, DriverSetupRunsWaitsAndTheListIsBuiltAgain) {
  PagesHarness h;
  makeSetupFile(h);
  h.spooler.addPrinter("Office", "HP LaserJet 4000");
  h.ctx.log.setEnabled(true);
  h.ctx.options.DebugMode = kTrue;
  // The setup takes 40 minutes and installs a compatible queue.
  h.processes.runMs = 40 * 60 * 1000;
  h.processes.onStart = [&](const FakeProcessLauncher::Start&) {
    h.spooler.addPrinter("NewZov", "Zov 5820-K35 06");
  };
  h.prompts.answers = {BoxAnswer::Yes};
  h.shell->show(FormId::ZovIntro);
  QPointer<WizardForm> firstSelection;
  h.prompts.onShow = [&](const MessageBox&) {
    // While the question is up, the (empty) selection page stays on screen.
    firstSelection = h.shell->find(FormId::Selection);
    EXPECT_TRUE(h.visible(FormId::Selection));
    EXPECT_FALSE(h.visible(FormId::ZovIntro));
  };
  const qint64 before = h.clock.nowMs();

  h.click(FormId::ZovIntro, "Next");
  ASSERT_EQ(h.processes.started.size(), 1u);
  const QString expected =
      QDir::toNativeSeparators(h.folder.filePath("Zov5820K35DriverSetup.exe")) + " /VERYSILENT";
  EXPECT_EQ(h.processes.started[0].commandLine, expected);
  EXPECT_FALSE(h.processes.started[0].detached);
  // Waited until the setup ended, in short event-processing steps.
  EXPECT_GE(h.clock.nowMs() - before, 40 * 60 * 1000);
  EXPECT_LE(h.clock.nowMs() - before, 40 * 60 * 1000 + 200);
  for (qint64 w : h.clock.waits) EXPECT_LE(w, 100);
  // The selection page was loaded anew and found the new queue.
  EXPECT_EQ(h.spooler.listPrintersCalls, 2);
  EXPECT_EQ(h.listed(), QStringList{"NewZov"});
  EXPECT_NE(h.shell->find(FormId::Selection), nullptr);
  EXPECT_EQ(h.ctx.printer.SelectedPrinterName, "NewZov");
  EXPECT_FALSE(h.shell->isLoaded(FormId::ZovIntro));
  EXPECT_EQ(h.prompts.shown.size(), 1u);
  EXPECT_EQ(h.programEnded, 0);
  PagesHarness::flush();
  EXPECT_TRUE(firstSelection.isNull());

  QFile log(h.folder.filePath("Log.txt"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QByteArray text = log.readAll();
  EXPECT_TRUE(text.contains(" - No Driver Found\r\n\r\n"));
  EXPECT_TRUE(text.contains((" - Running driver install: " + expected + "\r\n\r\n").toUtf8()));
}

TEST(WelcomePage, TheQuestionComesAgainWhileTheSetupInstallsNothing) {
  PagesHarness h;
  makeSetupFile(h);
  h.processes.runMs = 5000;
  h.prompts.answers = {BoxAnswer::Yes, BoxAnswer::Yes, BoxAnswer::No};
  h.shell->show(FormId::ZovIntro);

  h.click(FormId::ZovIntro, "Next");
  EXPECT_EQ(h.prompts.shown.size(), 3u);
  EXPECT_EQ(h.processes.started.size(), 2u);
  EXPECT_EQ(h.spooler.listPrintersCalls, 3);
  EXPECT_EQ(h.programEnded, 1);
  EXPECT_TRUE(h.shell->loadedForms().empty());
}

TEST(WelcomePage, MissingSetupShowsThePrinterErrorAndEnds) {
  PagesHarness h;
  h.prompts.answers = {BoxAnswer::Yes};
  h.shell->show(FormId::ZovIntro);

  h.click(FormId::ZovIntro, "Next");
  ASSERT_EQ(h.prompts.shown.size(), 2u);
  const MessageBox& err = h.prompts.shown[1];
  EXPECT_EQ(err.title, "Printer Error");
  EXPECT_EQ(err.icon, BoxIcon::Stop);
  EXPECT_EQ(err.buttons, BoxButtons::Ok);
  EXPECT_EQ(err.text, "Error unable to locate the Windows driver setup file." + kCrLf +
                          "Please install the Windows driver using your Quick Start CD." + kCrLf +
                          "The wizard will exit.");
  EXPECT_TRUE(h.processes.started.empty());
  EXPECT_EQ(h.programEnded, 1);
  EXPECT_TRUE(h.shell->loadedForms().empty());
}

TEST(WelcomePage, SetupThatCannotStartEndsTheWaitAtOnce) {
  PagesHarness h;
  makeSetupFile(h);
  h.processes.failStart = true;
  h.prompts.answers = {BoxAnswer::Yes, BoxAnswer::No};
  h.shell->show(FormId::ZovIntro);
  const qint64 before = h.clock.nowMs();

  h.click(FormId::ZovIntro, "Next");
  EXPECT_EQ(h.processes.started.size(), 1u);
  EXPECT_LE(h.clock.nowMs() - before, 100);
  EXPECT_EQ(h.prompts.shown.size(), 2u);  // asked again after the failed start
  EXPECT_EQ(h.programEnded, 1);
}

TEST(WelcomePage, ClosingTheWizardDuringTheSetupWaitEndsCleanly) {
  PagesHarness h;
  makeSetupFile(h);
  h.processes.runMs = 10000;
  h.prompts.answers = {BoxAnswer::Yes};
  h.shell->show(FormId::ZovIntro);
  // Two seconds into the setup the operator closes the selection page.
  h.processes.onStart = [&](const FakeProcessLauncher::Start&) {
    h.clock.after(2000, [&] {
      h.shell->find(FormId::Selection)->close();
      PagesHarness::flush();  // nothing may be freed while the handler still runs
    });
  };

  h.click(FormId::ZovIntro, "Next");
  EXPECT_TRUE(h.shell->loadedForms().empty());
  EXPECT_EQ(h.programEnded, 1);
  EXPECT_EQ(h.prompts.shown.size(), 1u);  // no second question after the exit
  EXPECT_EQ(h.spooler.listPrintersCalls, 1);
}

TEST(WelcomePage, NextDuringTheSetupWaitDoesNotStartASecondRun) {
  PagesHarness h;
  makeSetupFile(h);
  h.processes.runMs = 10000;
  h.prompts.answers = {BoxAnswer::Yes, BoxAnswer::No};
  h.shell->show(FormId::ZovIntro);
  h.processes.onStart = [&](const FakeProcessLauncher::Start&) {
    h.clock.after(1000, [&] {
      h.click(FormId::Selection, "Prev");  // back to the welcome page...
      EXPECT_TRUE(h.visible(FormId::ZovIntro));
      h.click(FormId::ZovIntro, "Next");  // ...and Next again while the setup runs
    });
  };

  std::vector<qint64> askedAt;
  h.prompts.onShow = [&](const MessageBox&) { askedAt.push_back(h.clock.nowMs()); };
  const qint64 start = h.clock.nowMs();

  h.click(FormId::ZovIntro, "Next");
  EXPECT_EQ(h.processes.started.size(), 1u);
  // The first question, and the next one only once the setup has ended.
  ASSERT_EQ(askedAt.size(), 2u);
  EXPECT_GE(askedAt[1] - start, 10000);
  EXPECT_EQ(h.programEnded, 1);
}

TEST(WelcomePage, CdModeMinimisesOnEveryLoadAndRestoresOnceAtExit) {
  PagesHarness h;
  h.spooler.addPrinter("Labels", "Zov 5820-K35 4in");
  h.ctx.options.CdMenuMode = kTrue;
  h.ctx.options.CdMenuArg = " 1234";
  h.shell->show(FormId::ZovIntro);
  h.click(FormId::ZovIntro, "Next");    // unloads the welcome page
  h.click(FormId::Selection, "Prev");   // loads it anew
  EXPECT_TRUE(h.visible(FormId::ZovIntro));
  EXPECT_FALSE(h.visible(FormId::Selection));

  const std::vector<QString> mins = {"MaxMin.exe min  1234", "MaxMin.exe min  1234"};
  EXPECT_EQ(h.processes.detachedCommandLines(), mins);
  for (const auto& s : h.processes.started) EXPECT_TRUE(s.hidden);

  h.shell->find(FormId::ZovIntro)->close();  // the close box
  ExitWizard(h.ctx);                         // a second exit does nothing more
  const std::vector<QString> all = {"MaxMin.exe min  1234", "MaxMin.exe min  1234",
                                    "MaxMin.exe max  1234"};
  EXPECT_EQ(h.processes.detachedCommandLines(), all);
  EXPECT_EQ(h.programEnded, 1);
}

TEST(WelcomePage, WithoutCdModeNoToolIsStarted) {
  PagesHarness h;
  h.shell->show(FormId::ZovIntro);
  h.prompts.answers = {BoxAnswer::Yes};
  h.click(FormId::ZovIntro, "Exit");
  EXPECT_TRUE(h.processes.started.empty());
  EXPECT_EQ(h.programEnded, 1);
}

}  // namespace
}  // namespace tlw::test
