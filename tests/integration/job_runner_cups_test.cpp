#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/context.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "delivery/job_runner.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/qt_clock.h"
#include "setuplang/jobs.h"
#include "support/apply_process.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"
#include "support/recording_navigator.h"
#include "support/scripted_prompts.h"
#include "support/tcp_printer.h"

namespace tlw {
namespace {

// The wizard's run on a real scheduler with real waits; the printer is a TCP
// listener (or nothing, for a job that sticks).
struct RealRun {
  explicit RealRun(const QString& queue) {
    test::ensureApp();
    ctx.settings = &settings;
    ctx.navigator = &nav;
    ctx.services.spooler = &spooler;
    ctx.services.clock = &clock;
    ctx.services.prompts = &prompts;
    ctx.printer.CurrentPrinter = queue;
    ctx.session.SettingsSavedToFile = kTrue;
    runner = std::make_shared<JobRunner>(ctx);
  }
  int boxesTitled(const QString& title) const {
    int n = 0;
    for (const auto& b : prompts.shown) n += b.title == title;
    return n;
  }

  AppContext ctx;
  WizardSettings settings{&ctx.session};
  CupsSpooler spooler;
  QtClock clock;
  test::ScriptedPrompts prompts;
  test::RecordingNavigator nav;
  std::shared_ptr<JobRunner> runner;
};

TEST(JobRunnerCups, FullSixStepRunDeliversEveryJobAndProbeInOrder) {
  test::CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  test::TcpPrinter printer;
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Zov4"), QStringLiteral("Zov 5820-K35 4in"),
                            printer.deviceUri()));
  RealRun run(QStringLiteral("Zov4"));
  run.settings.setIgnore(IgnoreBox::Emulation, 0);
  run.settings.setIgnore(IgnoreBox::Gap, 0);
  CollectSettingState(run.settings, run.ctx.session, run.ctx.request);
  run.ctx.request.SaveConfigRequested = kTrue;
  run.ctx.request.SaveConfigNumber = 2;
  run.ctx.request.PowerUpRequested = kTrue;
  run.ctx.request.PowerUpConfigNumber = 0;
  run.ctx.session.SettingsSavedToFile = kTrue;

  const qint64 start = run.clock.nowMs();
  run.runner->Start_Job();
  const qint64 took = run.clock.nowMs() - start;

  const QByteArray probe = BuildEmptyJob();
  const std::vector<QByteArray> expected = {
      BuildEmuJob(run.settings, 2, 0).text, probe, BuildLoadCfgJob(2), probe,
      BuildCfgJob(run.settings).text, probe, BuildCalibrateJob(), probe,
      BuildSaveCfgJob(2), probe, BuildSetPowerUpJob(0), probe};
  ASSERT_TRUE(printer.waitForDocuments(expected.size(), 20000));
  const std::vector<QByteArray> got = printer.documents();
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(got[i], expected[i]) << "job " << i;

  EXPECT_EQ(run.runner->outcome(), JobRunner::Outcome::Configured);
  EXPECT_TRUE(run.runner->statusLog().endsWith(
      QStringLiteral("  ... Request received OK\r\nPrinter Successfully Configured.")));
  EXPECT_EQ(run.runner->statusLog().count(QStringLiteral("  ... Request received OK")), 6);
  EXPECT_EQ(run.boxesTitled(QStringLiteral("Process Successful")), 1);
  EXPECT_EQ(run.nav.closeAllCalls, 1);
  EXPECT_GE(took, 85000);
  EXPECT_EQ(run.ctx.printer.PrinterDriverName, QStringLiteral("Zov 5820-K35 4in"));
}

TEST(JobRunnerCups, JobWithNoPrinterFailsAndLeavesNoWizardJobQueued) {
  test::CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Dead")));  // nothing listens
  RealRun run(QStringLiteral("Dead"));
  run.ctx.request.SaveConfigRequested = kTrue;
  run.ctx.request.SaveConfigNumber = 1;
  run.ctx.request.PowerUpRequested = kTrue;
  run.ctx.request.PowerUpConfigNumber = 1;
  run.runner->Start_Job();

  EXPECT_EQ(run.runner->outcome(), JobRunner::Outcome::Failed);
  EXPECT_TRUE(run.runner->statusLog().endsWith(
      QStringLiteral("Requesting configuration to be saved.\r\n"
                     "... Error Detected. The command failed. Program unable to continue.\r\n"
                     "... Please check the printer. Correct the error and try again.\r\n"
                     "Program terminated!!!")));
  EXPECT_EQ(run.boxesTitled(QStringLiteral("Printer Error")), 1);
  EXPECT_EQ(run.nav.showPage2Calls, 1);
  EXPECT_EQ(run.nav.closeAllCalls, 0);

  QByteArray out;
  EXPECT_EQ(cups.run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("not-completed"),
                                                QStringLiteral("-o"), QStringLiteral("Dead")},
                     &out),
            0);
  EXPECT_TRUE(out.trimmed().isEmpty()) << out.constData();
  auto jobs = run.spooler.jobs(QStringLiteral("Dead"));
  ASSERT_TRUE(jobs.has_value());
  for (const JobInfo& j : *jobs)
    EXPECT_FALSE(j.document.value_or(QByteArray()).contains("Tenlark Command"));
}

// tenlark-apply on two queues at once: status lines per queue, the error on stderr.
test::ApplyResult runApply(const QStringList& args) { return test::RunApply(args); }

TEST(JobRunnerCups, ApplySeveralQueuesAtOnce) {
  test::CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  test::TcpPrinter printer;
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Live"), QStringLiteral("Zov 5820-K35 4in"),
                            printer.deviceUri()));
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Dead")));

  // A settings file that changes only the orientation: one update job, no calibration.
  test::ensureApp();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("orientation.tlw"));
  {
    AppContext ctx;
    WizardSettings settings(&ctx.session);
    ctx.settings = &settings;
    test::ScriptedPrompts prompts;
    ctx.services.prompts = &prompts;
    settings.setIgnore(IgnoreBox::Orientation, 0);
    settings.setIndex(ListControl::Orientation, 1);
    ASSERT_TRUE(SaveWizardSettings(ctx, file));
  }

  test::ApplyResult r = runApply({file, QStringLiteral("-p"), QStringLiteral("Live"), QStringLiteral("-p"),
                            QStringLiteral("Dead")});
  EXPECT_EQ(r.exitCode, 1) << r.err.constData();
  const QList<QByteArray> lines = r.out.split('\n');
  EXPECT_TRUE(lines.contains("Live: Sending configuration update request to printer."));
  EXPECT_TRUE(lines.contains("Live: Printer Successfully Configured."));
  EXPECT_TRUE(lines.contains("Dead: Program terminated!!!"));
  // A failed update ends the run: nothing says the printer was configured.
  EXPECT_FALSE(lines.contains("Dead: Printer Successfully Configured."));
  EXPECT_TRUE(r.err.contains("Dead: ERROR!  Unable to Update Printer Settings.\n"));
  EXPECT_TRUE(r.err.contains("Dead: Operation cannot continue. The wizard will exit.\n"));
  EXPECT_TRUE(r.err.endsWith("tenlark-apply: Dead: not configured: the printer did not take a job\n"
                             "tenlark-apply: 1 configured, 1 not configured\n"));
  // Every box of a run reaches standard error, the success box too.
  EXPECT_TRUE(r.err.contains("Live: Printer Setup Request Successfully Sent\n"));
  EXPECT_FALSE(r.err.contains("Live: not configured"));
  EXPECT_FALSE(r.err.contains("\r"));
  EXPECT_FALSE(r.err.contains("\033"));  // no progress line when stderr is not a terminal
  ASSERT_TRUE(printer.waitForDocuments(2, 20000));

  // One queue: no prefix, exit 0.
  r = runApply({file, QStringLiteral("-p"), QStringLiteral("live")});
  EXPECT_EQ(r.exitCode, 0) << r.err.constData();
  EXPECT_TRUE(r.out.startsWith("Initializing ....\nSending configuration update request to printer.\n"))
      << r.out.constData();
  EXPECT_TRUE(r.out.endsWith("Printer Successfully Configured.\n"));

  // Bad input: an unknown queue sends nothing anywhere.
  const std::size_t before = printer.documents().size();
  r = runApply({file, QStringLiteral("-p"), QStringLiteral("Live"), QStringLiteral("-p"),
                QStringLiteral("Nowhere")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("no print queue named Nowhere"));
  EXPECT_EQ(printer.documents().size(), before);
}

}  // namespace
}  // namespace tlw
