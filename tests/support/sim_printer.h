#pragma once
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tlw::test {

// The built printer simulator (tools/printer-sim) as a child process on a free
// loopback port, for the life of the object. Its state file is read back with
// state(); `extraArgs` are passed on (--stalled, --panel-file FILE, ...).
class SimPrinter {
 public:
  explicit SimPrinter(const QStringList& extraArgs = {});
  ~SimPrinter();
  SimPrinter(const SimPrinter&) = delete;
  SimPrinter& operator=(const SimPrinter&) = delete;

  bool ok() const { return port_ != 0; }
  quint16 port() const { return port_; }
  // The device URI a CUPS queue reaches it with.
  QString deviceUri() const;
  // The state file as written after the last job (empty when unreadable).
  QJsonObject state() const;

  static QString binaryPath();

 private:
  QTemporaryDir dir_;
  QString statePath_;
  QProcess proc_;
  quint16 port_ = 0;
};

}  // namespace tlw::test
