#include "support/snmpd_sandbox.h"

#include <QFile>
#include <QProcess>
#include <QUdpSocket>

namespace tlw::test {

namespace {

bool runScript(const QStringList& args, QString* error) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(SnmpdSandbox::scriptPath(), args);
  if (!p.waitForStarted(5000) || !p.waitForFinished(30000)) {
    if (error) *error = QStringLiteral("snmpd-sandbox did not run: ") + p.errorString();
    p.kill();
    p.waitForFinished(2000);
    return false;
  }
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    if (error) *error = QString::fromLocal8Bit(p.readAll());
    return false;
  }
  return true;
}

}  // namespace

QString SnmpdSandbox::scriptPath() {
  return QStringLiteral(TENLARK_SOURCE_DIR "/scripts/snmpd-sandbox");
}

quint16 SnmpdSandbox::freeUdpPort() {
  QUdpSocket s;
  if (!s.bind(QHostAddress::LocalHost, 0)) return 0;
  return s.localPort();
}

SnmpdSandbox::SnmpdSandbox() : SnmpdSandbox(Options()) {}

SnmpdSandbox::SnmpdSandbox(const Options& options) {
  if (!dir_.isValid()) {
    error_ = QStringLiteral("no temporary folder");
    return;
  }
  if (options.descriptionFromFile) setDescription(options.sysDescr.toLatin1());
  for (int attempt = 0; attempt < 3 && !ok_; ++attempt) {
    port_ = freeUdpPort();
    QStringList args = {QStringLiteral("start"), dir_.path(), QString::number(port_),
                        QStringLiteral("--sysdescr"), options.sysDescr,
                        QStringLiteral("--panel-file"), panelFile()};
    if (options.descriptionFromFile) {
      args << QStringLiteral("--sysdescr-file") << descriptionFile();
    }
    ok_ = runScript(args, &error_);
  }
}

SnmpdSandbox::~SnmpdSandbox() {
  runScript({QStringLiteral("stop"), dir_.path()}, nullptr);
}

void SnmpdSandbox::setPanel(const QStringList& lines) {
  QFile f(panelFile());
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  for (const QString& line : lines) f.write(line.toLatin1() + "\n");
}

void SnmpdSandbox::setDescription(const QByteArray& latin1Text) {
  QFile f(descriptionFile());
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  f.write(latin1Text + "\n");
}

}  // namespace tlw::test
