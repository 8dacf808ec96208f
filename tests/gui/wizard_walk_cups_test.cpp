// The whole wizard on a private cupsd with a TCP listener as the printer: the
// operator's clicks from the welcome page to a finished run, and the bytes the
// printer received for them. Real spooler and clock; about ten seconds.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

#include "real_wizard.h"
#include "support/cups_sandbox.h"
#include "support/tcp_printer.h"

namespace tlw::test {
namespace {

TEST(WizardWalkOnCups, PrintSpeedReachesThePrinter) {
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  TcpPrinter printer;
  ASSERT_TRUE(cups.addQueue("Office", "Generic Laser Printer"));
  ASSERT_TRUE(cups.addQueue("Zov4", "Zov 5820-K35 4in", printer.deviceUri()));

  {
    RealWizard w;
    ASSERT_TRUE(w.walkToPage2());
    EXPECT_EQ(w.ctx.printer.CurrentPrinter, "Zov4");
    w.find<QCheckBox>(FormId::PrinterSetup, "PrintSpeedCB")->click();
    w.find<QComboBox>(FormId::PrinterSetup, "PrintSpeedCombo")->setCurrentIndex(7);
    w.prompts.answers = {BoxAnswer::No};                        // no settings file
    ASSERT_TRUE(w.click(FormId::PrinterSetup, "Finish"));
    ASSERT_TRUE(w.shell->find(FormId::FinishDialog) && w.shell->find(FormId::FinishDialog)->isVisible());
    EXPECT_TRUE(w.prompts.shown.size() == 1) << "unexpected boxes before Finish";

    w.prompts.answers = {BoxAnswer::No};  // leaving without saving, after the run
    ASSERT_TRUE(w.click(FormId::FinishDialog, "OKButton"));

    EXPECT_EQ(w.boxTitles(), (QStringList{"Save Wizard Settings", "Process Successful",
                                   "Leaving Wizard Without Saving Settings"}));
    EXPECT_EQ(w.ended, 1);
  }

  // The configuration update with the chosen speed, then the empty probe job.
  ASSERT_TRUE(printer.waitForDocuments(2, 20000));
  const auto docs = printer.documents();
  ASSERT_EQ(docs.size(), 2u);
  EXPECT_EQ(docs[0], QByteArray("!KVX_SETUP\r\nWINMODE-BEGIN\r\nKVX_END\r\n"
                                "~PAPER;SPEED IPS 3\r\n"
                                "!KVX_SETUP\r\nWINMODE-END\r\nKVX_END\r\n"));
  EXPECT_EQ(docs[1], QByteArray("!KVX_SETUP\r\nKVX_END\r\n"));
}

TEST(WizardWalkOnCups, AQueueThatStopsAcceptingJobsEndsOnTheErrorBox) {
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  TcpPrinter printer;
  ASSERT_TRUE(cups.addQueue("Zov4", "Zov 5820-K35 4in", printer.deviceUri()));

  RealWizard w;
  ASSERT_TRUE(w.walkToPage2());
  w.find<QCheckBox>(FormId::PrinterSetup, "PrintSpeedCB")->click();
  w.prompts.answers = {BoxAnswer::No};  // no settings file
  ASSERT_TRUE(w.click(FormId::PrinterSetup, "Finish"));

  // The administrator closes the queue while the operator is on the finish page.
  ASSERT_EQ(cups.run(QStringLiteral("cupsreject"), {QStringLiteral("Zov4")}), 0);
  ASSERT_TRUE(w.click(FormId::FinishDialog, "OKButton"));

  EXPECT_EQ(w.boxTitles(), (QStringList{"Save Wizard Settings", "Printer Error"}));
  EXPECT_EQ(w.ended, 0);
  ASSERT_NE(w.shell->find(FormId::PrinterSetup), nullptr);
  EXPECT_TRUE(w.shell->find(FormId::PrinterSetup)->isVisible());
  EXPECT_TRUE(printer.documents().empty());
}

}  // namespace
}  // namespace tlw::test
