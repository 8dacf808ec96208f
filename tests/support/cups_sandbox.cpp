#include "cups_sandbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTemporaryDir>
#include <cups/cups.h>

namespace tlw::test {

CupsSandbox::CupsSandbox()
    : dir_(std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/tlw-cups-XXXXXX"))),
      script_(QStringLiteral(TENLARK_SOURCE_DIR "/scripts/cups-sandbox")) {
  hadOldServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
  oldServer_ = qgetenv("CUPS_SERVER");
  if (!dir_->isValid()) {
    error_ = QStringLiteral("no temporary folder");
    return;
  }
  QProcess p;
  // Our pid lets the script stop cupsd should this process die without the destructor.
  p.start(script_, {QStringLiteral("start"), dir_->path(),
                    QString::number(QCoreApplication::applicationPid())});
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    error_ = QString::fromLocal8Bit(p.readAllStandardError());
    return;
  }
  server_ = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
  QFile portFile(dir_->filePath(QStringLiteral("port")));
  if (portFile.open(QIODevice::ReadOnly)) port_ = portFile.readAll().trimmed().toInt();
  qputenv("CUPS_SERVER", server_.toLocal8Bit());
  cupsSetServer(server_.toLocal8Bit().constData());
  ok_ = true;
}

void CupsSandbox::stop() {
  if (!dir_ || !dir_->isValid()) return;
  QProcess p;
  p.start(script_, {QStringLiteral("stop"), dir_->path()});
  p.waitForFinished(30000);
}

CupsSandbox::~CupsSandbox() {
  stop();
  if (hadOldServer_)
    qputenv("CUPS_SERVER", oldServer_);
  else
    qunsetenv("CUPS_SERVER");
  cupsSetServer(nullptr);
}

QString CupsSandbox::folder() const { return dir_ ? dir_->path() : QString(); }

bool CupsSandbox::addQueue(const QString& name, const QString& model, const QString& deviceUri) {
  QProcess p;
  p.start(script_, {QStringLiteral("add-queue"), dir_->path(), name, model, deviceUri});
  return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool CupsSandbox::pauseQueue(const QString& name) {
  return run(QStringLiteral("cupsdisable"), {name}) == 0;
}

bool CupsSandbox::resumeQueue(const QString& name) {
  return run(QStringLiteral("cupsenable"), {name}) == 0;
}

bool CupsSandbox::setDefault(const QString& name) {
  return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}) == 0;
}

int CupsSandbox::run(const QString& program, const QStringList& args, QByteArray* out,
                     const QByteArray& input) const {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("CUPS_SERVER"), server_);
  p.setProcessEnvironment(env);
  p.start(program, args);
  if (!p.waitForStarted(10000)) return -1;
  if (!input.isEmpty()) p.write(input);
  p.closeWriteChannel();
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished(5000);
    return -1;
  }
  if (out) *out = p.readAllStandardOutput();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString CupsSandbox::deadDeviceUri() {
  return QStringLiteral("socket://127.0.0.1:%1/?snmp=false").arg(freePort());
}

quint16 CupsSandbox::freePort() {
  QTcpServer s;
  s.listen(QHostAddress::LocalHost, 0);
  return s.serverPort();
}

}  // namespace tlw::test
