// tenlark-apply against a real scheduler that fails in the ways fleets meet: a
// queue that rejects jobs, a stopped queue, a queue deleted during the run, a job
// cancelled from outside while it waits, the scheduler dying during the run and a
// scheduler that cannot be reached at all. Each affected queue is named with its
// reason, the run ends with exit 1, its queue keeps none of the wizard's jobs, and
// the other queues are configured as usual.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/apply_process.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"
#include "support/settings_files.h"
#include "support/tcp_printer.h"

namespace tlw::test {
namespace {

QByteArray pendingJobs(const CupsSandbox& cups, const QString& queue) {
  QByteArray out;
  cups.run(QStringLiteral("lpstat"), {"-W", "not-completed", "-o", queue}, &out);
  return out.trimmed();
}

QProcessEnvironment envFor(const CupsSandbox& cups) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("CUPS_SERVER"), cups.server());
  return env;
}

TEST(ApplyFaults, EachFaultFailsOnlyItsOwnQueue) {
  ensureApp();
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  TcpPrinter printer;
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Good"), QStringLiteral("Zov 5820-K35 4in"),
                            printer.deviceUri()));
  for (const char* q : {"Rejecting", "Disabled", "Deleted", "Cancelled"})
    ASSERT_TRUE(cups.addQueue(QString::fromLatin1(q)));
  ASSERT_EQ(cups.run(QStringLiteral("cupsreject"), {QStringLiteral("Rejecting")}), 0);
  ASSERT_TRUE(cups.pauseQueue(QStringLiteral("Disabled")));
  QTemporaryDir dir;

  // Once a queue's update job is out, take its queue away or cancel its job.
  const auto disturb = [&](const QByteArray& line) {
    if (line == "Deleted: Sending configuration update request to printer.")
      cups.run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Deleted")});
    if (line == "Cancelled: Sending configuration update request to printer.")
      cups.run(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("Cancelled")});
  };
  const ApplyResult r = RunApply({WriteSettingsFile(dir.filePath(QStringLiteral("orientation.tlw")), OrientationOnly), "-p", "Good", "-p", "Rejecting", "-p",
                                  "Disabled", "-p", "Deleted", "-p", "Cancelled"},
                                 envFor(cups), disturb);
  const std::string both = (r.out + "\n--- stderr:\n" + r.err).toStdString();
  EXPECT_EQ(r.exitCode, 1) << both;
  const QList<QByteArray> err = r.err.split('\n');
  EXPECT_TRUE(err.contains("tenlark-apply: Rejecting: not configured: the print server refused "
                           "the job: Destination \"Rejecting\" is not accepting jobs."))
      << both;
  EXPECT_TRUE(err.contains("tenlark-apply: Disabled: not configured: the printer did not take a job"))
      << both;
  EXPECT_TRUE(r.err.contains("tenlark-apply: Deleted: not configured: ")) << both;
  EXPECT_TRUE(err.contains("tenlark-apply: Cancelled: not configured: the job was cancelled")) << both;
  EXPECT_FALSE(r.err.contains("Good: not configured")) << both;
  EXPECT_TRUE(r.err.endsWith("tenlark-apply: 1 configured, 4 not configured\n")) << both;
  EXPECT_TRUE(r.out.split('\n').contains("Good: Printer Successfully Configured.")) << both;
  EXPECT_TRUE(printer.waitForDocuments(2, 20000));  // the update and the probe

  for (const char* q : {"Rejecting", "Disabled", "Cancelled"})
    EXPECT_EQ(pendingJobs(cups, QString::fromLatin1(q)), QByteArray()) << q;
}

TEST(ApplyFaults, SchedulerGoneFailsEveryQueue) {
  ensureApp();
  QTemporaryDir dir;
  const QString file = WriteSettingsFile(dir.filePath(QStringLiteral("orientation.tlw")), OrientationOnly);
  {
    // Dies during the run, while the update job waits.
    CupsSandbox cups;
    ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
    ASSERT_TRUE(cups.addQueue(QStringLiteral("Stuck")));
    const ApplyResult r = RunApply({file, "-p", "Stuck"}, envFor(cups), [&](const QByteArray& line) {
      if (line == "Sending configuration update request to printer.") cups.stop();
    });
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_TRUE(r.err.contains("tenlark-apply: Stuck: not configured: ")) << r.err.constData();
    EXPECT_TRUE(r.err.endsWith("tenlark-apply: 0 configured, 1 not configured\n"))
        << r.err.constData();
  }
  // Never there: a socket nobody listens on.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("CUPS_SERVER"), dir.filePath(QStringLiteral("no-such.sock")));
  const ApplyResult r = RunApply({file, "-p", "A", "-p", "B"}, env);
  EXPECT_EQ(r.exitCode, 1) << r.err.constData();
  EXPECT_TRUE(r.err.startsWith("tenlark-apply: cannot reach the print server: ")) << r.err.constData();
  EXPECT_TRUE(r.err.contains("tenlark-apply: B: not configured: the print server could not be "
                             "reached\n"));
  EXPECT_TRUE(r.err.endsWith("tenlark-apply: 0 configured, 2 not configured\n"));
}

}  // namespace
}  // namespace tlw::test
