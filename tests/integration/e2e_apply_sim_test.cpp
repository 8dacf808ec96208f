// tenlark-apply, the built program, against the built printer simulator through a
// private cupsd: the simulated printer's state after a whole run, and a stalled
// printer whose front panel (served by snmpd on loopback) explains the failure.
// Both runs use the real waits of a run: about 85 and 12 seconds.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <functional>

#include "core/state.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "support/apply_process.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"
#include "support/sim_printer.h"
#include "support/snmpd_sandbox.h"

namespace tlw::test {
namespace {

ApplyResult runApply(const QStringList& args, const QProcessEnvironment& env) {
  return RunApply(args, env);
}

// Writes a settings file as the wizard saves it: every box checked (left as the
// printer has it) except the ones `change` unchecks and sets.
QString writeSettings(const QTemporaryDir& dir, const std::function<void(WizardSettings&)>& change) {
  SessionFlags session;
  WizardSettings settings(&session);
  change(settings);
  const QString path = dir.filePath(QStringLiteral("settings.tlw"));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(EncodeWizardSettings(settings)) < 0) return {};
  return path;
}

// Jobs of `queue` that have not completed, as lpstat lists them.
QByteArray pendingJobs(const CupsSandbox& cups, const QString& queue) {
  QByteArray out;
  if (cups.run(QStringLiteral("lpstat"), {"-W", "not-completed", "-o", queue}, &out) != 0)
    return "<lpstat failed>";
  return out.trimmed();
}

TEST(EndToEndApply, SettingsFileRunLeavesThePrinterConfiguredAndSaved) {
  ensureApp();
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  QTemporaryDir dir;
  SimPrinter sim({QStringLiteral("--panel-file"), dir.filePath(QStringLiteral("panel"))});
  ASSERT_TRUE(sim.ok());
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Zov-4in"), QStringLiteral("Zov 5820-K35 04in"),
                            sim.deviceUri()));
  // Values apart from the printer's factory settings, so that each one shows.
  const QString file = writeSettings(dir, [](WizardSettings& s) {
    s.setIgnore(IgnoreBox::MediaType, 0);
    s.setIndex(ListControl::MediaType, 1);  // direct thermal
    s.setIgnore(IgnoreBox::MediaSize, 0);
    s.setIndex(ListControl::LabelLength, 3);  // 3.0 in
    s.setIndex(ListControl::LabelWidth, 4);   // 4.0 in
    s.setIgnore(IgnoreBox::Dispense, 0);
    s.setIndex(ListControl::Dispense, 3);  // cut
    s.setIgnore(IgnoreBox::PrintSpeed, 0);
    s.setIndex(ListControl::PrintSpeed, 4);  // 6 in/sec
    s.setIgnore(IgnoreBox::Gap, 0);
    s.setIndex(ListControl::Gap, 2);  // mark
    s.setIgnore(IgnoreBox::Horz, 0);
    s.setHorzShift(12);
    s.setIgnore(IgnoreBox::Emulation, 0);
    s.setIndex(ListControl::Emulation, 1);  // KORU
  });
  ASSERT_FALSE(file.isEmpty());

  const ApplyResult r = runApply(
      {file, "--printer", "Zov-4in", "--save", "2", "--power-up", "2", "--yes"},
      QProcessEnvironment::systemEnvironment());
  ASSERT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
  // Standard error carries the run's one box and the summary.
  EXPECT_EQ(r.err, QByteArray("Printer Setup Request Successfully Sent\n"
                              "tenlark-apply: 1 configured, 0 not configured\n"));
  EXPECT_EQ(r.out.count("  ... Request received OK"), 6) << r.out.constData();
  EXPECT_TRUE(r.out.trimmed().endsWith("Printer Successfully Configured.")) << r.out.constData();

  const QJsonObject s = sim.state();
  const QJsonObject active = s["active"].toObject();
  EXPECT_EQ(active["printMode"].toString(), "direct-thermal");
  EXPECT_EQ(active["labelLength"].toInt(), 3000);
  EXPECT_EQ(active["labelWidth"].toInt(), 4000);
  EXPECT_EQ(active["mediaHandling"].toString(), "cut");
  EXPECT_EQ(active["imageShiftH"].toInt(), 120);
  EXPECT_EQ(active["imageShiftV"].toInt(), 0);
  EXPECT_EQ(active["rotation"].toInt(), 0);
  EXPECT_EQ(active["speed"].toInt(), 6);
  EXPECT_EQ(active["sensor"].toString(), "mark");
  EXPECT_EQ(active["emulation"].toString(), "KORU");
  EXPECT_EQ(s["activeConfiguration"].toInt(), 2);
  const QJsonObject stored = s["configurations"].toObject();
  EXPECT_EQ(stored["2"].toObject(), active);
  EXPECT_EQ(stored["1"].toObject()["emulation"].toString(), "VEXA");
  EXPECT_EQ(stored["1"].toObject()["speed"].toInt(), 4);
  EXPECT_EQ(s["powerUp"].toInt(), 2);
  EXPECT_EQ(s["calibrations"].toInt(), 1);
  // Six setup jobs, each followed by its empty probe job.
  EXPECT_EQ(s["jobs"].toInt(), 12);
  EXPECT_EQ(s["unknownLines"].toArray(), QJsonArray());
  EXPECT_EQ(s["lineEnds"].toObject()["lf"].toInt(), 0);
  EXPECT_EQ(s["lineEnds"].toObject()["none"].toInt(), 0);
  EXPECT_EQ(s["truncatedJobs"].toInt(), 0);
  EXPECT_EQ(pendingJobs(cups, QStringLiteral("Zov-4in")), QByteArray());
}

TEST(EndToEndApply, StalledPrinterFailsWithItsFrontPanelAndLeavesNoJobQueued) {
  ensureApp();
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  SnmpdSandbox::Options agent;
  agent.sysDescr = QStringLiteral("Caldora Ethernet print server");
  SnmpdSandbox snmpd(agent);
  ASSERT_TRUE(snmpd.ok()) << snmpd.error().toStdString();
  // The simulator keeps the panel file that the agent serves.
  SimPrinter sim({"--panel-file", snmpd.panelFile(), "--stalled", "--panel", "MEDIA JAM", "OPEN COVER"});
  ASSERT_TRUE(sim.ok());
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Zov-8in-Stalled"), QStringLiteral("Zov 5820-K35 08in"),
                            sim.deviceUri()));
  // One setting only: the run fails at its first step.
  QTemporaryDir dir;
  const QString file = writeSettings(dir, [](WizardSettings& s) {
    s.setIgnore(IgnoreBox::PrintSpeed, 0);
    s.setIndex(ListControl::PrintSpeed, 2);  // 8 in/sec
  });
  ASSERT_FALSE(file.isEmpty());

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("TENLARK_SNMP_PORT"), QString::number(snmpd.port()));
  const ApplyResult r = runApply({file, "--printer", "Zov-8in-Stalled"}, env);
  EXPECT_EQ(r.exitCode, 1) << r.out.constData() << r.err.constData();
  const QByteArray both = r.out + "\n--- stderr:\n" + r.err;
  // The status log: the failed update, the printer's own words, and (as after any
  // failed update, which skips the remaining steps) the run's closing line; the
  // exit status still says it failed.
  EXPECT_TRUE(r.out.endsWith("Sending configuration update request to printer.\n"
                             "... Error Detected. The command failed. Program unable to continue.\n"
                             "... Printer Front Panel Message:\n"
                             "\tMEDIA JAM\n"
                             "\tOPEN COVER\n"
                             "Program terminated!!!\n"))
      << both.constData();
  // The printer error box goes to standard error, with the front panel in it.
  EXPECT_TRUE(r.err.startsWith("ERROR!  Unable to Update Printer Settings.\n")) << both.constData();
  EXPECT_TRUE(r.err.contains("Printer Front Panel Message:\n\tMEDIA JAM\n\tOPEN COVER\n"))
      << both.constData();
  EXPECT_TRUE(r.err.endsWith(
      "tenlark-apply: Zov-8in-Stalled: not configured: the printer did not take a job\n"
      "tenlark-apply: 0 configured, 1 not configured\n"))
      << both.constData();

  // The wizard's job was taken out of the queue; the printer never got one.
  EXPECT_EQ(pendingJobs(cups, QStringLiteral("Zov-8in-Stalled")), QByteArray());
  EXPECT_EQ(sim.state()["jobs"].toInt(), 0);
  EXPECT_TRUE(sim.state()["stalled"].toBool());
}

}  // namespace
}  // namespace tlw::test
