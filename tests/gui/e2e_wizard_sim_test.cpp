// The whole wizard against the built printer simulator through a private cupsd:
// the operator's clicks from the welcome page to a finished run, then the
// simulated printer's settings. Real spooler, clock and waits (about 35 s).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/context.h"
#include "core/settings.h"
#include "pages/wizard_shell.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_process_launcher.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"
#include "support/scripted_prompts.h"
#include "support/sim_printer.h"

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

TEST(EndToEndWizard, SpeedAndMarkSensorReachTheSimulatedPrinterWithOneCalibration) {
  ensureApp();
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  SimPrinter sim;
  ASSERT_TRUE(sim.ok());
  // A printer of another model first: the wizard must pass over it.
  ASSERT_TRUE(cups.addQueue("Office-Laser", "Office Laser 9000"));
  ASSERT_TRUE(cups.addQueue("Zov-4in", "Zov 5820-K35 04in", sim.deviceUri()));

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
    EXPECT_EQ(ctx.state.CurrentPrinter, "Zov-4in");
    ASSERT_TRUE(click(shell, FormId::LoadDlg, "Next"));    // Start New
    ASSERT_TRUE(click(shell, FormId::Operation, "Next"));  // page 1 left alone
    find<QCheckBox>(shell, FormId::PrinterSetup, "PrintSpeedCB")->click();
    find<QComboBox>(shell, FormId::PrinterSetup, "PrintSpeedCombo")->setCurrentIndex(4);  // 6 in/sec
    find<QCheckBox>(shell, FormId::PrinterSetup, "GapCB")->click();
    find<QComboBox>(shell, FormId::PrinterSetup, "GapCombo")->setCurrentIndex(2);  // Mark
    prompts.answers = {BoxAnswer::No};  // no settings file
    ASSERT_TRUE(click(shell, FormId::PrinterSetup, "Finish"));
    ASSERT_TRUE(shell.find(FormId::FinishDialog) && shell.find(FormId::FinishDialog)->isVisible());

    // Yes to the calibration; after the run, leaving without saving.
    prompts.answers = {BoxAnswer::Yes, BoxAnswer::No};
    ASSERT_TRUE(click(shell, FormId::FinishDialog, "OKButton"));

    QStringList titles;
    for (const auto& b : prompts.shown) titles << b.title;
    EXPECT_EQ(titles, (QStringList{"Save Wizard Settings", "Calibration Required",
                                   "Process Successful", "Leaving Wizard Without Saving Settings"}));
    EXPECT_EQ(ended, 1);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

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
