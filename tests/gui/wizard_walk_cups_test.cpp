// The whole wizard on a private cupsd with a TCP listener as the printer: the
// operator's clicks from the welcome page to a finished run, and the bytes the
// printer received for them. Real spooler and clock; about ten seconds.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

#include "core/context.h"
#include "core/settings.h"
#include "pages/wizard_shell.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_process_launcher.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"
#include "support/scripted_prompts.h"
#include "support/tcp_printer.h"

namespace tlw::test {
namespace {

template <class W = QWidget>
W* find(WizardShell& shell, FormId form, const char* name) {
  WizardForm* f = shell.find(form);
  return f ? f->findChild<W*>(QString::fromLatin1(name)) : nullptr;
}

bool click(WizardShell& shell, FormId form, const char* name) {
  auto* b = find<QPushButton>(shell, form, name);
  if (!b) return false;
  b->click();
  return true;
}

TEST(WizardWalkOnCups, PrintSpeedReachesThePrinter) {
  ensureApp();
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  TcpPrinter printer;
  ASSERT_TRUE(cups.addQueue("Office", "Generic Laser Printer"));
  ASSERT_TRUE(cups.addQueue("Zov4", "Zov 5820-K35 4in", printer.deviceUri()));

  CupsSpooler spooler;
  QtClock clock;
  QtProcessLauncher processes(&clock);
  ScriptedPrompts prompts;
  AppContext ctx;
  ctx.services.spooler = &spooler;
  ctx.services.clock = &clock;
  ctx.services.prompts = &prompts;
  ctx.services.processes = &processes;
  WizardSettings settings(&ctx.state);
  ctx.settings = &settings;
  int ended = 0;
  {
    WizardShell shell(ctx);
    ctx.navigator = &shell;
    shell.noWindowsLeft = [&] { ++ended; };

    ASSERT_NE(shell.show(FormId::ZovIntro), nullptr);
    ASSERT_TRUE(click(shell, FormId::ZovIntro, "Next"));
    ASSERT_TRUE(click(shell, FormId::Selection, "Next"));
    EXPECT_EQ(ctx.state.CurrentPrinter, "Zov4");
    ASSERT_TRUE(click(shell, FormId::LoadDlg, "Next"));      // Start New
    ASSERT_TRUE(click(shell, FormId::Operation, "Next"));    // page 1 left alone
    find<QCheckBox>(shell, FormId::PrinterSetup, "PrintSpeedCB")->click();
    find<QComboBox>(shell, FormId::PrinterSetup, "PrintSpeedCombo")->setCurrentIndex(7);
    prompts.answers = {BoxAnswer::No};                        // no settings file
    ASSERT_TRUE(click(shell, FormId::PrinterSetup, "Finish"));
    ASSERT_TRUE(shell.find(FormId::FinishDialog) && shell.find(FormId::FinishDialog)->isVisible());
    EXPECT_TRUE(prompts.shown.size() == 1) << "unexpected boxes before Finish";

    prompts.answers = {BoxAnswer::No};  // leaving without saving, after the run
    ASSERT_TRUE(click(shell, FormId::FinishDialog, "OKButton"));

    QStringList titles;
    for (const auto& b : prompts.shown) titles << b.title;
    EXPECT_EQ(titles, (QStringList{"Save Wizard Settings", "Process Successful",
                                   "Leaving Wizard Without Saving Settings"}));
    EXPECT_EQ(ended, 1);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  // The configuration update with the chosen speed, then the empty probe job.
  ASSERT_TRUE(printer.waitForDocuments(2, 20000));
  const auto docs = printer.documents();
  ASSERT_EQ(docs.size(), 2u);
  EXPECT_EQ(docs[0], QByteArray("!KVX_SETUP\r\nWINMODE-BEGIN\r\nKVX_END\r\n"
                                "~PAPER;SPEED IPS 3\r\n"
                                "!KVX_SETUP\r\nWINMODE-END\r\nKVX_END\r\n"));
  EXPECT_EQ(docs[1], QByteArray("!KVX_SETUP\r\nKVX_END\r\n"));
}

}  // namespace
}  // namespace tlw::test
