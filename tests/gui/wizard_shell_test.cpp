// The shell: forms kept while hidden, unloaded safely, closed in the exit order;
// the close box against a close by the program; the exit routine's questions.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include "core/app_info.h"
#include "core/exit.h"
#include "pages/settings_file_dialog.h"
#include "pages/zov_about.h"
#include "pages_harness.h"

namespace tlw::test {
namespace {

TEST(WizardShell, FormsAreCreatedOnceAndKeptWhileHidden) {
  PagesHarness h;
  h.spooler.addPrinter("One", "Zov 5820-K35 4in");
  h.spooler.addPrinter("Two", "Zov 5820-K35 4in");
  WizardForm* first = h.shell->show(FormId::Selection);
  h.control<QListWidget>(FormId::Selection, "PrinterList")->setCurrentRow(1);
  h.shell->hide(FormId::Selection);
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(h.shell->show(FormId::Selection), first);
  EXPECT_EQ(h.control<QListWidget>(FormId::Selection, "PrinterList")->currentRow(), 1);
  EXPECT_EQ(h.spooler.listPrintersCalls, 1);
  EXPECT_EQ(first->objectName(), "Selection");
}

TEST(WizardShell, UnloadedFormsAreFreedOnlyAfterTheRunningHandler) {
  PagesHarness h;
  h.shell->show(FormId::ZovIntro);
  QPointer<WizardForm> selection = h.shell->show(FormId::Selection);
  {
    WizardShell::Busy busy(*h.shell);
    h.shell->unload(FormId::Selection);
    EXPECT_FALSE(h.shell->isLoaded(FormId::Selection));
    EXPECT_FALSE(selection->isVisible());
    PagesHarness::flush();
    EXPECT_FALSE(selection.isNull());  // still in use by the handler
  }
  PagesHarness::flush();
  EXPECT_TRUE(selection.isNull());
  // Showing it again builds a fresh page.
  EXPECT_NE(h.shell->show(FormId::Selection), nullptr);
  EXPECT_EQ(h.spooler.listPrintersCalls, 2);
  EXPECT_EQ(h.programEnded, 0);  // the welcome page is still there
}

TEST(WizardShell, CloseAllWindowsUsesTheExitOrderAndSkipsMissingForms) {
  PagesHarness h;
  std::vector<QString> order;
  for (FormId id : {FormId::ProgressDlg, FormId::Selection, FormId::ZovIntro, FormId::Dialog,
                    FormId::LoadDlg, FormId::CustomDialog}) {
    WizardForm* form = h.shell->show(id);
    QObject::connect(form, &QObject::destroyed, [&order, name = formName(id)] { order.push_back(name); });
  }
  h.shell->closeAllWindows();
  EXPECT_TRUE(h.shell->loadedForms().empty());
  EXPECT_EQ(h.programEnded, 1);
  PagesHarness::flush();
  const std::vector<QString> expected = {"CustomDialog", "Dialog",    "ZovIntro",
                                         "LoadDlg",      "Selection", "ProgressDlg"};
  EXPECT_EQ(order, expected);
  h.shell->closeAllWindows();  // nothing left: no second end
  EXPECT_EQ(h.programEnded, 1);
}

TEST(WizardShell, NoWindowComesBackAfterTheExit) {
  PagesHarness h;
  h.shell->show(FormId::ZovIntro);
  ExitWizard(h.ctx);
  EXPECT_EQ(h.shell->show(FormId::LoadDlg), nullptr);
  EXPECT_TRUE(h.shell->loadedForms().empty());
  EXPECT_EQ(h.programEnded, 1);
}

TEST(WizardShell, CloseBoxRunsTheExitButAProgramCloseDoesNot) {
  PagesHarness h;
  h.ctx.options.CdMenuMode = kTrue;
  h.ctx.options.CdMenuArg = "X";
  h.shell->show(FormId::ZovIntro);
  h.shell->show(FormId::LoadDlg);
  h.processes.started.clear();

  h.shell->unload(FormId::LoadDlg);  // the program closes a page
  EXPECT_TRUE(h.processes.started.empty());
  EXPECT_EQ(h.programEnded, 0);
  EXPECT_TRUE(h.visible(FormId::ZovIntro));

  h.shell->show(FormId::Selection)->close();  // the operator's close box
  EXPECT_EQ(h.processes.detachedCommandLines(), std::vector<QString>{"MaxMin.exe max X"});
  EXPECT_TRUE(h.prompts.shown.empty());  // the close box asks nothing when nothing was chosen
  EXPECT_TRUE(h.shell->loadedForms().empty());
  EXPECT_EQ(h.programEnded, 1);
}

TEST(WizardShell, ExitWithChosenSettingsAsksAndCanSaveFirst) {
  PagesHarness h;
  h.settings.setIgnore(IgnoreBox::PrintSpeed, 0);
  h.shell->show(FormId::ZovIntro);

  // Exit, yes leave, yes save first: the save dialog opens and nothing closes.
  h.prompts.answers = {BoxAnswer::Yes, BoxAnswer::Yes};
  h.click(FormId::ZovIntro, "Exit");
  EXPECT_EQ(h.boxTitles(),
            (QStringList{"Caution Exiting Wizard", "Leaving Wizard Without Saving Settings"}));
  EXPECT_TRUE(h.visible(FormId::Dialog));
  EXPECT_EQ(h.shell->get<Dialog>(FormId::Dialog)->dialogFlag(), FileDialogMode::SaveBeforeExit);
  EXPECT_EQ(h.shell->get<Dialog>(FormId::Dialog)->windowTitle(), "Save Wizard Settings");
  EXPECT_TRUE(h.shell->isLoaded(FormId::ZovIntro));
  EXPECT_EQ(h.programEnded, 0);

  // Again, and this time without saving: everything closes.
  h.prompts.shown.clear();
  h.prompts.answers = {BoxAnswer::Yes, BoxAnswer::No};
  h.click(FormId::ZovIntro, "Exit");
  EXPECT_EQ(h.boxTitles(),
            (QStringList{"Caution Exiting Wizard", "Leaving Wizard Without Saving Settings"}));
  EXPECT_TRUE(h.shell->loadedForms().empty());
  EXPECT_EQ(h.programEnded, 1);
}

TEST(WizardShell, ExitWithoutChosenSettingsClosesWithoutFurtherQuestion) {
  PagesHarness h;
  h.shell->show(FormId::ZovIntro);
  h.prompts.answers = {BoxAnswer::No};
  h.click(FormId::ZovIntro, "Exit");
  EXPECT_EQ(h.programEnded, 0);
  EXPECT_TRUE(h.visible(FormId::ZovIntro));

  h.prompts.answers = {BoxAnswer::Yes};
  h.click(FormId::ZovIntro, "Exit");
  EXPECT_EQ(h.boxTitles(), (QStringList{"Caution Exiting Wizard", "Caution Exiting Wizard"}));
  EXPECT_EQ(h.programEnded, 1);
}

// --- About box ---

// Runs `whileOpen` once the modal About box is up, then lets the test go on.
void withAboutOpen(PagesHarness& h, const std::function<void(WizardForm*)>& whileOpen) {
  QTimer::singleShot(0, [&h, whileOpen] {
    WizardForm* about = h.shell->find(FormId::ZovAbout);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isModal());
    whileOpen(about);
  });
  h.click(FormId::ZovIntro, "About");
}

struct PathGuard {
  explicit PathGuard(const QString& path) : old(qgetenv("PATH")) { qputenv("PATH", path.toLocal8Bit()); }
  ~PathGuard() { qputenv("PATH", old); }
  QByteArray old;
};

void makeTool(const QString& folder, const QString& name) {
  QFile f(QDir(folder).filePath(name));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\n");
  f.close();
  f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(AboutBox, ShowsTitleVersionAndDescriptionAndIsFreedAfterOk) {
  PagesHarness h;
  h.shell->show(FormId::ZovIntro);
  QPointer<WizardForm> seen;
  withAboutOpen(h, [&](WizardForm* about) {
    seen = about;
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About ") + AppTitle);
    EXPECT_EQ(h.control<QLabel>(FormId::ZovAbout, "lblTitle")->text(), AppTitle);
    EXPECT_EQ(h.control<QLabel>(FormId::ZovAbout, "lblVersion")->text(), "Version 1.0.0");
    EXPECT_EQ(h.control<QLabel>(FormId::ZovAbout, "lblDescription")->text(),
              "This application will help guide you through the process of configuring your printer");
    EXPECT_EQ(h.control<QPushButton>(FormId::ZovAbout, "cmdSysInfo")->text(), "&System Info...");
    EXPECT_TRUE(h.control<QPushButton>(FormId::ZovAbout, "cmdOK")->isDefault());
    h.click(FormId::ZovAbout, "cmdOK");
  });
  EXPECT_FALSE(h.shell->isLoaded(FormId::ZovAbout));
  EXPECT_TRUE(h.visible(FormId::ZovIntro));
  PagesHarness::flush();
  EXPECT_TRUE(seen.isNull());
  EXPECT_EQ(h.programEnded, 0);
}

TEST(AboutBox, SystemInfoStartsTheFirstToolFoundOnPath) {
  PagesHarness h;
  QTemporaryDir bin;
  makeTool(bin.path(), "gnome-system-monitor");
  makeTool(bin.path(), "kinfocenter");
  PathGuard path(bin.path());
  h.shell->show(FormId::ZovIntro);
  withAboutOpen(h, [&](WizardForm*) {
    h.click(FormId::ZovAbout, "cmdSysInfo");
    EXPECT_TRUE(h.shell->find(FormId::ZovAbout)->isVisible());  // the box stays open
    h.click(FormId::ZovAbout, "cmdOK");
  });
  ASSERT_EQ(h.processes.started.size(), 1u);
  EXPECT_EQ(h.processes.started[0].commandLine, "\"" + QDir(bin.path()).filePath("kinfocenter") + "\"");
  EXPECT_FALSE(h.processes.started[0].hidden);
  EXPECT_TRUE(h.prompts.shown.empty());
}

TEST(AboutBox, NoToolOrAFailedStartSaysUnavailable) {
  PagesHarness h;
  QTemporaryDir bin;
  PathGuard path(bin.path());
  h.shell->show(FormId::ZovIntro);
  withAboutOpen(h, [&](WizardForm*) {
    h.click(FormId::ZovAbout, "cmdSysInfo");  // nothing on PATH
    makeTool(bin.path(), "hardinfo");
    h.processes.failStart = true;
    h.click(FormId::ZovAbout, "cmdSysInfo");  // found, but it does not start
    h.click(FormId::ZovAbout, "cmdOK");
  });
  ASSERT_EQ(h.prompts.shown.size(), 2u);
  for (const MessageBox& box : h.prompts.shown) {
    EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(box.title, AppTitle);
    EXPECT_EQ(box.icon, BoxIcon::None);
    EXPECT_EQ(box.buttons, BoxButtons::Ok);
  }
  EXPECT_EQ(h.processes.started.size(), 1u);
}

TEST(AboutBox, CloseBoxEndsTheWizard) {
  PagesHarness h;
  h.shell->show(FormId::ZovIntro);
  withAboutOpen(h, [&](WizardForm* about) { about->close(); });
  EXPECT_TRUE(h.shell->loadedForms().empty());
  EXPECT_EQ(h.programEnded, 1);
}

}  // namespace
}  // namespace tlw::test
