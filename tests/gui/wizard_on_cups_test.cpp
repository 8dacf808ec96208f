// The wizard's first two pages on a private cupsd with the real spooler, clock
// and process adapters: the welcome page, Return, and the list of queues.
#include <gtest/gtest.h>

#include <QListWidget>

#include "pages_harness.h"
#include "real_wizard.h"
#include "support/cups_sandbox.h"

namespace tlw::test {
namespace {

TEST(WizardOnCups, ReturnOnTheWelcomePageListsOnlyCompatibleQueues) {
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  ASSERT_TRUE(cups.addQueue("Office", "Generic Laser Printer"));
  ASSERT_TRUE(cups.addQueue("Labels4", "Zov 5820-K35 4in"));
  ASSERT_TRUE(cups.addQueue("Lower", "zov 5820-k35 4in"));
  const QString labels6Uri = CupsSandbox::deadDeviceUri();
  ASSERT_TRUE(cups.addQueue("Labels6", "Zov5820-K35 06", labels6Uri));
  ASSERT_TRUE(cups.setDefault("Labels6"));

  {
    RealWizard w;
    WizardForm* welcome = w.shell->show(FormId::ZovIntro);
    ASSERT_NE(welcome, nullptr);
    EXPECT_TRUE(welcome->isVisible());
    pressReturn(welcome);

    WizardForm* selection = w.shell->find(FormId::Selection);
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->isVisible());
    EXPECT_FALSE(w.shell->isLoaded(FormId::ZovIntro));
    auto* list = selection->findChild<QListWidget*>("PrinterList");
    ASSERT_NE(list, nullptr);
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    names.sort();  // the scheduler's own order is not fixed by this test
    EXPECT_EQ(names, (QStringList{"Labels4", "Labels6"}));
    EXPECT_EQ(w.ctx.printer.SelectedPrinterName, "Labels6");  // the default destination
    EXPECT_TRUE(w.prompts.shown.empty());

    // Next on a ready queue records its driver and port and moves on.
    pressReturn(selection);
    EXPECT_TRUE(w.prompts.shown.empty()) << w.prompts.shown[0].text.toStdString();
    EXPECT_EQ(w.ctx.printer.PrinterDriverName, "Zov5820-K35 06");
    EXPECT_EQ(w.ctx.printer.PrinterPortName, labels6Uri);
    EXPECT_EQ(w.ctx.printer.PrintWidthClass, 6);
    EXPECT_TRUE(w.shell->find(FormId::LoadDlg) && w.shell->find(FormId::LoadDlg)->isVisible());

    w.shell->find(FormId::LoadDlg)->close();
    EXPECT_EQ(w.ended, 1);
  }
}

}  // namespace
}  // namespace tlw::test
