#include "platform/adapters/machine_hive.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QUrl>

#include "platform/adapters/json_hive.h"
#include "platform/spooler.h"

namespace tlw {

namespace {

bool isNetworkScheme(const QString& scheme) {
  static const QStringList schemes = {QStringLiteral("socket"), QStringLiteral("lpd"),
                                      QStringLiteral("ipp"),    QStringLiteral("ipps"),
                                      QStringLiteral("http"),   QStringLiteral("https")};
  return schemes.contains(scheme.toLower());
}

}  // namespace

const QString& MachineHive::portsKey() {
  static const QString key = QString::fromLatin1(kPortsRegistryKey);
  return key;
}

MachineHive::MachineHive(Spooler* spooler, RegistryHive* writable)
    : spooler_(spooler), writable_(writable) {}

QString MachineHive::ipv4OfDeviceUri(const QString& deviceUri) {
  const QUrl url(deviceUri.trimmed(), QUrl::StrictMode);
  if (!url.isValid() || !isNetworkScheme(url.scheme())) return QString();
  const QString host = url.host();
  if (host.isEmpty()) return QString();
  QHostAddress address;
  if (address.setAddress(host)) {
    return address.protocol() == QHostAddress::IPv4Protocol ? address.toString() : QString();
  }
  const QHostInfo info = QHostInfo::fromName(host);
  for (const QHostAddress& a : info.addresses()) {
    if (a.protocol() == QHostAddress::IPv4Protocol) return a.toString();
  }
  return QString();
}

MachineHive::Place MachineHive::place(std::uint32_t root, const QString& path,
                                      QString* port) const {
  if (root != kHkeyLocalMachine) return Place::Outside;
  // The device URI may itself hold "\\"-free slashes only; split off the part
  // after the ports key without touching its letters.
  const QString norm = JsonHive::normalizePath(path);
  const QString ports = portsKey();
  if (norm.compare(ports, Qt::CaseInsensitive) == 0) return Place::Ports;
  if (norm.size() > ports.size() &&
      norm.left(ports.size()).compare(ports, Qt::CaseInsensitive) == 0 &&
      norm[ports.size()] == QLatin1Char('\\')) {
    const QString rest = norm.mid(ports.size() + 1);
    if (rest.contains(QLatin1Char('\\'))) return Place::Outside;
    if (port) *port = rest;
    return Place::Port;
  }
  if (norm.isEmpty()) return Place::AbovePorts;
  if (ports.size() > norm.size() &&
      ports.left(norm.size()).compare(norm, Qt::CaseInsensitive) == 0 &&
      ports[norm.size()] == QLatin1Char('\\')) {
    return Place::AbovePorts;
  }
  return Place::Outside;
}

QString MachineHive::addressOfPort(const QString& port) {
  if (!spooler_) return QString();
  for (const PrinterEntry& p : spooler_->listPrinters()) {
    if (p.portName.compare(port, Qt::CaseInsensitive) != 0) continue;
    const QString address = ipv4OfDeviceUri(p.portName);
    if (!address.isEmpty()) return address;
  }
  return QString();
}

bool MachineHive::keyExists(std::uint32_t root, const QString& path) {
  QString port;
  switch (place(root, path, &port)) {
    case Place::AbovePorts:
    case Place::Ports:
      return true;
    case Place::Port:
      return !addressOfPort(port).isEmpty();
    case Place::Outside:
      break;
  }
  return writable_ && writable_->keyExists(root, path);
}

std::optional<RegistryData> MachineHive::queryValue(std::uint32_t root, const QString& path,
                                                    const QString& name) {
  QString port;
  switch (place(root, path, &port)) {
    case Place::Port: {
      if (name.compare(QLatin1String("IPAddress"), Qt::CaseInsensitive) != 0) return std::nullopt;
      const QString address = addressOfPort(port);
      if (address.isEmpty()) return std::nullopt;
      RegistryData data;
      data.type = kRegSz;
      data.data = address.toLatin1();
      data.data.append('\0');
      return data;
    }
    case Place::Ports:
      return std::nullopt;
    case Place::AbovePorts:
    case Place::Outside:
      break;
  }
  return writable_ ? writable_->queryValue(root, path, name) : std::nullopt;
}

bool MachineHive::createKey(std::uint32_t root, const QString& path) {
  if (place(root, path, nullptr) != Place::Outside) return false;
  return writable_ && writable_->createKey(root, path);
}

bool MachineHive::deleteKey(std::uint32_t root, const QString& path) {
  if (place(root, path, nullptr) != Place::Outside) return false;
  return writable_ && writable_->deleteKey(root, path);
}

bool MachineHive::deleteValue(std::uint32_t root, const QString& path, const QString& name) {
  if (place(root, path, nullptr) != Place::Outside) return false;
  return writable_ && writable_->deleteValue(root, path, name);
}

bool MachineHive::setValue(std::uint32_t root, const QString& path, const QString& name,
                           const RegistryData& value) {
  if (place(root, path, nullptr) != Place::Outside) return false;
  return writable_ && writable_->setValue(root, path, name, value);
}

std::optional<QStringList> MachineHive::valueNames(std::uint32_t root, const QString& path) {
  QString port;
  switch (place(root, path, &port)) {
    case Place::Port:
      if (addressOfPort(port).isEmpty()) return std::nullopt;
      return QStringList{QStringLiteral("IPAddress")};
    case Place::Ports:
      return QStringList();
    case Place::AbovePorts:
    case Place::Outside:
      break;
  }
  if (!writable_) return std::nullopt;
  return writable_->valueNames(root, path);
}

std::optional<QStringList> MachineHive::subKeyNames(std::uint32_t root, const QString& path) {
  const Place where = place(root, path, nullptr);
  if (where == Place::Port) {
    if (!keyExists(root, path)) return std::nullopt;
    return QStringList();
  }
  if (where == Place::Ports) {
    QStringList names;
    if (spooler_) {
      for (const PrinterEntry& p : spooler_->listPrinters()) {
        const QUrl url(p.portName.trimmed(), QUrl::StrictMode);
        if (url.isValid() && isNetworkScheme(url.scheme()) && !url.host().isEmpty() &&
            !names.contains(p.portName, Qt::CaseInsensitive)) {
          names << p.portName;
        }
      }
    }
    return names;
  }
  std::optional<QStringList> names = writable_ ? writable_->subKeyNames(root, path) : std::nullopt;
  if (where == Place::AbovePorts) {
    // The next part on the way down to the ports key is always there.
    const QString norm = JsonHive::normalizePath(path);
    const QString next = portsKey().mid(norm.isEmpty() ? 0 : norm.size() + 1).section(
        QLatin1Char('\\'), 0, 0);
    QStringList list = names.value_or(QStringList());
    if (!list.contains(next, Qt::CaseInsensitive)) list << next;
    return list;
  }
  return names;
}

}  // namespace tlw
