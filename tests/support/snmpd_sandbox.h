#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace tlw::test {

// A private snmpd on 127.0.0.1 (scripts/snmpd-sandbox) for the life of the
// object: community "tamvek", the given sysDescr, and the two front-panel lines
// read from a panel file in its folder (READY / ONLINE until one is written).
class SnmpdSandbox {
 public:
  struct Options {
    QString sysDescr = QStringLiteral("Caldora Ethernet");
    // Serve sysDescr.0 from line 1 of descriptionFile() instead, read per request.
    bool descriptionFromFile = false;
  };
  SnmpdSandbox();
  explicit SnmpdSandbox(const Options& options);
  ~SnmpdSandbox();
  SnmpdSandbox(const SnmpdSandbox&) = delete;
  SnmpdSandbox& operator=(const SnmpdSandbox&) = delete;

  bool ok() const { return ok_; }
  const QString& error() const { return error_; }
  quint16 port() const { return port_; }
  QString folder() const { return dir_.path(); }
  QString panelFile() const { return dir_.filePath(QStringLiteral("panel.txt")); }
  QString descriptionFile() const { return dir_.filePath(QStringLiteral("sysdescr.txt")); }

  // Writes the panel file: one line per entry (fewer than two: the missing
  // lines are not served).
  void setPanel(const QStringList& lines);
  // Writes the description file (descriptionFromFile only).
  void setDescription(const QByteArray& latin1Text);

  // A UDP port on 127.0.0.1 that nothing listens on at the moment.
  static quint16 freeUdpPort();
  static QString scriptPath();

 private:
  QTemporaryDir dir_;
  quint16 port_ = 0;
  bool ok_ = false;
  QString error_;
};

}  // namespace tlw::test
