// tenlark-apply on two print servers in one run: a queue of the default server by
// name, a queue of another by its ipp:// URI. Each server's own attributes give the
// queue's width class, and both printers get their jobs.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/apply_process.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"
#include "support/settings_files.h"
#include "support/tcp_printer.h"

namespace tlw::test {
namespace {

TEST(ApplyServers, QueuesOfTwoServersInOneRun) {
  ensureApp();
  CupsSandbox first;
  ASSERT_TRUE(first.ok()) << first.error().toStdString();
  TcpPrinter near, far;
  ASSERT_TRUE(first.addQueue(QStringLiteral("Labels"), QStringLiteral("Zov 5820-K35 08in"),
                             near.deviceUri()));
  CupsSandbox second;
  ASSERT_TRUE(second.ok()) << second.error().toStdString();
  // The same name on the other server, an 8-inch printer there too.
  ASSERT_TRUE(second.addQueue(QStringLiteral("Labels"), QStringLiteral("Zov 5820-K35 08in"),
                              far.deviceUri()));
  ASSERT_TRUE(second.addQueue(QStringLiteral("Narrow"), QStringLiteral("Zov 5820-K35 04in")));

  QTemporaryDir dir;
  const QString file = WriteSettingsFile(dir.filePath(QStringLiteral("wide.tlw")), WideLabel);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("CUPS_SERVER"), first.server());
  const QString remote = QStringLiteral("ipp://127.0.0.1:%1/printers/").arg(second.port());

  const ApplyResult r =
      RunApply({file, "--yes", "--connections", "2", "-p", "Labels", "-p", remote + "Labels"}, env);
  EXPECT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
  const QList<QByteArray> out = r.out.split('\n');
  EXPECT_TRUE(out.contains("Labels: Printer Successfully Configured.")) << r.out.constData();
  EXPECT_TRUE(out.contains((remote + "Labels: Printer Successfully Configured.").toUtf8()))
      << r.out.constData();
  EXPECT_TRUE(r.err.endsWith("tenlark-apply: 2 configured, 0 not configured\n")) << r.err.constData();
  // Each server's printer got the update, its calibration and their probes.
  EXPECT_TRUE(near.waitForDocuments(4, 20000));
  EXPECT_TRUE(far.waitForDocuments(4, 20000));

  // The other server's 4-inch queue refuses the wide label before anything is sent.
  const ApplyResult narrow = RunApply({file, "--yes", "-p", remote + "Narrow"}, env);
  EXPECT_EQ(narrow.exitCode, 2);
  EXPECT_TRUE(narrow.err.startsWith(
      (remote + "Narrow: Invalid media size selected or media size entered manually.\n").toUtf8()))
      << narrow.err.constData();
  const ApplyResult bad = RunApply({file, "--yes", "-p", "ipp://127.0.0.1/classes/Labels"}, env);
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.err.contains("not a queue name or ipp://HOST[:PORT]/printers/QUEUE"));
}

}  // namespace
}  // namespace tlw::test
