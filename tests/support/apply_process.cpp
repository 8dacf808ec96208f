#include "support/apply_process.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace tlw::test {

ApplyResult RunApply(const QStringList& args, const QProcessEnvironment& env,
                     const std::function<void(const QByteArray& line)>& onLine, int timeoutMs) {
  QProcess p;
  p.setProcessEnvironment(env);
  ApplyResult r;
  QByteArray pending;  // the start of a line not yet ended
  QEventLoop loop;
  QObject::connect(&p, &QProcess::readyReadStandardOutput, &loop, [&] {
    const QByteArray chunk = p.readAllStandardOutput();
    r.out += chunk;
    pending += chunk;
    for (int nl = pending.indexOf('\n'); nl >= 0; nl = pending.indexOf('\n')) {
      const QByteArray line = pending.left(nl);
      pending.remove(0, nl + 1);
      if (onLine) onLine(line);
    }
  });
  QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&p, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) loop.quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  p.start(QStringLiteral(TENLARK_BINARY_DIR "/apps/tenlark-apply"), args);
  loop.exec();
  if (p.state() != QProcess::NotRunning) {
    p.kill();
    p.waitForFinished(2000);
    return r;
  }
  r.out += p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return r;
}

}  // namespace tlw::test
