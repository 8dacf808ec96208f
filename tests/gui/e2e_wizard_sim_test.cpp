// The whole wizard against the built printer simulator through a private cupsd:
// the operator's clicks from the welcome page to a finished run, then the
// simulated printer's settings. Real spooler, clock and waits (about 35 s).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>

#include "real_wizard.h"
#include "support/cups_sandbox.h"
#include "support/sim_printer.h"

namespace tlw::test {
namespace {

TEST(EndToEndWizard, SpeedAndMarkSensorReachTheSimulatedPrinterWithOneCalibration) {
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  SimPrinter sim;
  ASSERT_TRUE(sim.ok());
  // A printer of another model first: the wizard must pass over it.
  ASSERT_TRUE(cups.addQueue("Office-Laser", "Office Laser 9000"));
  ASSERT_TRUE(cups.addQueue("Zov-4in", "Zov 5820-K35 04in", sim.deviceUri()));

  {
    RealWizard w;
    ASSERT_TRUE(w.walkToPage2());
    EXPECT_EQ(w.ctx.printer.CurrentPrinter, "Zov-4in");
    w.find<QCheckBox>(FormId::PrinterSetup, "PrintSpeedCB")->click();
    w.find<QComboBox>(FormId::PrinterSetup, "PrintSpeedCombo")->setCurrentIndex(4);  // 6 in/sec
    w.find<QCheckBox>(FormId::PrinterSetup, "GapCB")->click();
    w.find<QComboBox>(FormId::PrinterSetup, "GapCombo")->setCurrentIndex(2);  // Mark
    w.prompts.answers = {BoxAnswer::No};  // no settings file
    ASSERT_TRUE(w.click(FormId::PrinterSetup, "Finish"));
    ASSERT_TRUE(w.shell->find(FormId::FinishDialog) && w.shell->find(FormId::FinishDialog)->isVisible());

    // Yes to the calibration; after the run, leaving without saving.
    w.prompts.answers = {BoxAnswer::Yes, BoxAnswer::No};
    ASSERT_TRUE(w.click(FormId::FinishDialog, "OKButton"));

    EXPECT_EQ(w.boxTitles(), (QStringList{"Save Wizard Settings", "Calibration Required",
                                   "Process Successful", "Leaving Wizard Without Saving Settings"}));
    EXPECT_EQ(w.ended, 1);
  }

  // Update and calibration, each followed by the empty probe job; nothing saved.
  const QJsonObject s = sim.state();
  const QJsonObject active = s["active"].toObject();
  EXPECT_EQ(s["jobs"].toInt(), 4);
  EXPECT_EQ(active["speed"].toInt(), 6);
  EXPECT_EQ(active["sensor"].toString(), "mark");
  EXPECT_EQ(active["emulation"].toString(), "VEXA");
  EXPECT_EQ(active["printMode"].toString(), "thermal-transfer");
  EXPECT_EQ(s["calibrations"].toInt(), 1);
  EXPECT_EQ(s["activeConfiguration"].toInt(), 0);
  EXPECT_EQ(s["powerUp"].toInt(), 0);
  EXPECT_EQ(s["configurations"].toObject()["1"].toObject()["speed"].toInt(), 4);
  EXPECT_EQ(s["unknownLines"].toArray(), QJsonArray());
  QByteArray pending;
  ASSERT_EQ(cups.run("lpstat", {"-W", "not-completed", "-o", "Zov-4in"}, &pending), 0);
  EXPECT_TRUE(pending.trimmed().isEmpty()) << pending.constData();
}

}  // namespace
}  // namespace tlw::test
