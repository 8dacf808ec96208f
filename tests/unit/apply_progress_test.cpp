// tenlark-apply's progress line for fleets: the counts and the step that has
// waited longest among the queues still running.
#include <gtest/gtest.h>

#include <QTextStream>
#include <QThread>

#include "tenlark-apply/progress_line.h"

namespace tlw {
namespace {

TEST(ApplyProgress, CountsAndTheSlowestStepStillWaiting) {
  QString drawn;
  QTextStream err(&drawn);
  ProgressLine line(err, 3, true);
  EXPECT_EQ(line.text(), QStringLiteral("running 3, configured 0, not configured 0"));

  line.line(QStringLiteral("Zov002"), QStringLiteral("Requesting auto calibration to be started."));
  QThread::msleep(5);
  line.line(QStringLiteral("Zov001"), QStringLiteral("Sending configuration update request to printer."));
  EXPECT_TRUE(line.text().startsWith(QStringLiteral(
      "running 3, configured 0, not configured 0; slowest: Zov002 0 s Requesting auto calibration")))
      << line.text().toStdString();

  line.finished(QStringLiteral("Zov002"), false);
  line.finished(QStringLiteral("Zov003"), true);
  EXPECT_TRUE(line.text().startsWith(
      QStringLiteral("running 1, configured 1, not configured 1; slowest: Zov001 ")));
  line.finished(QStringLiteral("Zov001"), true);
  EXPECT_EQ(line.text(), QStringLiteral("running 0, configured 2, not configured 1"));

  // Drawn in place on the terminal, cleared without a trace.
  err.flush();
  EXPECT_TRUE(drawn.startsWith(QLatin1Char('\r')));
  EXPECT_TRUE(drawn.endsWith(QStringLiteral("\033[K")));
  ProgressLine off(err, 1, false);
  drawn.clear();
  off.line(QStringLiteral("Zov001"), QStringLiteral("x"));
  off.clear();
  err.flush();
  EXPECT_TRUE(drawn.isEmpty());
}

}  // namespace
}  // namespace tlw
