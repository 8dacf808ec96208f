// Real processes through QtProcessLauncher, and RunAndWait on the real clock.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sys/resource.h>

#include "core/context.h"
#include "core/run_program.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_process_launcher.h"
#include "support/qt_app.h"

namespace tlw::test {
namespace {

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

QString writeScript(const QString& folder, const QString& name, const QByteArray& body) {
  const QString path = QDir(folder).filePath(name);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return QString();
  f.write("#!/bin/sh\n" + body);
  f.close();
  f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

struct Real {
  Real() : processes((ensureApp(), &clock)) {
    ctx.services.clock = &clock;
    ctx.services.processes = &processes;
  }
  QtClock clock;
  QtProcessLauncher processes;
  AppContext ctx;
};

TEST(ProcessLauncher, RunAndWaitLastsUntilTheProgramEndsWithoutSpinning) {
  Real r;
  QTemporaryDir dir;
  // A folder with a blank, like many program folders; the path is quoted.
  QDir(dir.path()).mkdir("driver setup");
  const QString marker = dir.filePath("args.txt");
  const QString script = writeScript(dir.filePath("driver setup"), "setup.exe",
                                     "echo \"$@\" > '" + marker.toLocal8Bit() + "'\nsleep 0.6\n");
  ASSERT_FALSE(script.isEmpty());

  QElapsedTimer wall;
  wall.start();
  const double cpu0 = cpuSeconds();
  QString message = "old";
  EXPECT_TRUE(RunAndWait(r.ctx, "\"" + script + "\" /VERYSILENT", message, 2000000000));
  const qint64 elapsed = wall.elapsed();
  EXPECT_TRUE(message.isEmpty());
  EXPECT_GE(elapsed, 550);
  EXPECT_LT(elapsed, 3000);  // ends with the process, not on a long timer
  EXPECT_LT(cpuSeconds() - cpu0, 0.3);

  QFile args(marker);
  ASSERT_TRUE(args.open(QIODevice::ReadOnly));
  EXPECT_EQ(args.readAll(), "/VERYSILENT\n");
}

TEST(ProcessLauncher, PastTheLimitTheResultIsFalseButTheWaitGoesOn) {
  Real r;
  QString message;
  QElapsedTimer wall;
  wall.start();
  EXPECT_FALSE(RunAndWait(r.ctx, "sleep 0.5", message, 100));
  EXPECT_GE(wall.elapsed(), 450);
  EXPECT_EQ(message, "The process has timed out.");
}

TEST(ProcessLauncher, MissingProgramGivesHandleZeroAndNoWait) {
  Real r;
  EXPECT_EQ(StartProgram(r.ctx, "/nonexistent/tool-xyz", ""), 0);
  qint64 zero = 0;
  EXPECT_FALSE(IsProgramRunning(r.ctx, zero));
  QString message;
  QElapsedTimer wall;
  wall.start();
  EXPECT_TRUE(RunAndWait(r.ctx, "/nonexistent/tool-xyz /VERYSILENT", message, 1000));
  EXPECT_LT(wall.elapsed(), 1000);
}

TEST(ProcessLauncher, ArgumentsGoAsOneArgumentAndDetachedStartsOutliveNothing) {
  Real r;
  QTemporaryDir dir;
  const QString marker = dir.filePath("argc.txt");
  const QString script =
      writeScript(dir.path(), "count.sh", "echo \"$#:$1\" > '" + marker.toLocal8Bit() + "'\n");
  qint64 handle = StartProgram(r.ctx, script, "two words");
  ASSERT_NE(handle, 0);
  r.clock.wait(5000, [&] { return !IsProgramRunning(r.ctx, handle); });
  EXPECT_EQ(handle, 0);
  QFile f(marker);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "1:two words\n");

  const QString detachedMarker = dir.filePath("detached.txt");
  const QString detached =
      writeScript(dir.path(), "tool.sh", "echo \"$@\" > '" + detachedMarker.toLocal8Bit() + "'\n");
  EXPECT_TRUE(r.processes.startDetached(detached + " max  1234", true));
  // Nothing wakes the clock for a detached program: look every 50 ms.
  for (int i = 0; i < 100 && QFile(detachedMarker).size() == 0; ++i) r.clock.wait(50);
  QFile d(detachedMarker);
  ASSERT_TRUE(d.open(QIODevice::ReadOnly));
  EXPECT_EQ(d.readAll(), "max 1234\n");
  EXPECT_FALSE(r.processes.startDetached("/nonexistent/tool-xyz max", true));
}

}  // namespace
}  // namespace tlw::test
