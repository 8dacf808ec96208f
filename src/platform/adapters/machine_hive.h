#pragma once
#include <QString>

#include "platform/registry_hive.h"

namespace tlw {

class Spooler;

// The machine-wide root on Linux: the spooler's network ports shown the way a
// Standard TCP/IP port monitor records them, over a writable hive for everything
// else. For every queue whose device URI is socket:, lpd:, ipp:, ipps:, http: or
// https:, the key
//   SYSTEM\CurrentControlSet\Control\Print\Monitors\Standard TCP/IP Port\Ports\<device-uri>
// holds the REG_SZ value "IPAddress" with the URI's host as dotted IPv4 (a host
// name is resolved). Other devices (usb:, file:, parallel:, ...) have no such key.
// The port keys are read-only; other roots and keys go to the writable hive.
class MachineHive : public RegistryHive {
 public:
  MachineHive(Spooler* spooler, RegistryHive* writable);

  bool keyExists(std::uint32_t root, const QString& path) override;
  std::optional<RegistryData> queryValue(std::uint32_t root, const QString& path,
                                         const QString& name) override;
  bool createKey(std::uint32_t root, const QString& path) override;
  bool deleteKey(std::uint32_t root, const QString& path) override;
  bool deleteValue(std::uint32_t root, const QString& path, const QString& name) override;
  bool setValue(std::uint32_t root, const QString& path, const QString& name,
                const RegistryData& value) override;
  std::optional<QStringList> valueNames(std::uint32_t root, const QString& path) override;
  std::optional<QStringList> subKeyNames(std::uint32_t root, const QString& path) override;

  // The dotted IPv4 address a device URI's host stands for; empty for a device
  // that is not a network port or whose host gives no IPv4 address.
  static QString ipv4OfDeviceUri(const QString& deviceUri);
  static const QString& portsKey();

 private:
  // What a path means in the port view.
  enum class Place { Outside, AbovePorts, Ports, Port };
  Place place(std::uint32_t root, const QString& path, QString* port) const;
  // Dotted address of the queue port named `port`; empty when no queue has it.
  QString addressOfPort(const QString& port);

  Spooler* spooler_;
  RegistryHive* writable_;
};

}  // namespace tlw
