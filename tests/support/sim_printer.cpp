#include "support/sim_printer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>

namespace tlw::test {

QString SimPrinter::binaryPath() {
  return QStringLiteral(TENLARK_BINARY_DIR "/tools/printer-sim/printer-sim");
}

SimPrinter::SimPrinter(const QStringList& extraArgs) {
  statePath_ = dir_.filePath(QStringLiteral("state.json"));
  proc_.start(binaryPath(), QStringList{QStringLiteral("--port"), QStringLiteral("0"),
                                        QStringLiteral("--state"), statePath_} +
                                extraArgs);
  if (!proc_.waitForStarted(5000)) return;
  // The first line the simulator prints is the port it took.
  QDeadlineTimer deadline(5000);
  while (!proc_.canReadLine() && !deadline.hasExpired())
    proc_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
  port_ = proc_.readLine().trimmed().toUShort();
}

SimPrinter::~SimPrinter() {
  if (proc_.state() == QProcess::NotRunning) return;
  proc_.terminate();
  if (!proc_.waitForFinished(5000)) proc_.kill();
  proc_.waitForFinished(2000);
}

QString SimPrinter::deviceUri() const {
  return QStringLiteral("socket://127.0.0.1:%1/?snmp=false").arg(port_);
}

QJsonObject SimPrinter::state() const {
  QFile f(statePath_);
  return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
}

}  // namespace tlw::test
