// The wizard's first two pages on a private cupsd with the real spooler, clock
// and process adapters: the welcome page, Return, and the list of queues.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QListWidget>

#include "core/context.h"
#include "core/settings.h"
#include "pages/wizard_shell.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_process_launcher.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"
#include "support/scripted_prompts.h"
#include "pages_harness.h"

namespace tlw::test {
namespace {

TEST(WizardOnCups, ReturnOnTheWelcomePageListsOnlyCompatibleQueues) {
  ensureApp();
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  ASSERT_TRUE(cups.addQueue("Office", "Generic Laser Printer"));
  ASSERT_TRUE(cups.addQueue("Labels4", "Zov 5820-K35 4in"));
  ASSERT_TRUE(cups.addQueue("Lower", "zov 5820-k35 4in"));
  const QString labels6Uri = CupsSandbox::deadDeviceUri();
  ASSERT_TRUE(cups.addQueue("Labels6", "Zov5820-K35 06", labels6Uri));
  ASSERT_TRUE(cups.setDefault("Labels6"));

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

    WizardForm* welcome = shell.show(FormId::ZovIntro);
    ASSERT_NE(welcome, nullptr);
    EXPECT_TRUE(welcome->isVisible());
    pressReturn(welcome);

    WizardForm* selection = shell.find(FormId::Selection);
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->isVisible());
    EXPECT_FALSE(shell.isLoaded(FormId::ZovIntro));
    auto* list = selection->findChild<QListWidget*>("PrinterList");
    ASSERT_NE(list, nullptr);
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    names.sort();  // the scheduler's own order is not fixed by this test
    EXPECT_EQ(names, (QStringList{"Labels4", "Labels6"}));
    EXPECT_EQ(ctx.state.SelectedPrinterName, "Labels6");  // the default destination
    EXPECT_TRUE(prompts.shown.empty());

    // Next on a ready queue records its driver and port and moves on.
    pressReturn(selection);
    EXPECT_TRUE(prompts.shown.empty()) << prompts.shown[0].text.toStdString();
    EXPECT_EQ(ctx.state.PrinterDriverName, "Zov5820-K35 06");
    EXPECT_EQ(ctx.state.PrinterPortName, labels6Uri);
    EXPECT_EQ(ctx.state.PrintWidthClass, 6);
    EXPECT_TRUE(shell.find(FormId::LoadDlg) && shell.find(FormId::LoadDlg)->isVisible());

    shell.find(FormId::LoadDlg)->close();
    EXPECT_EQ(ended, 1);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace tlw::test
