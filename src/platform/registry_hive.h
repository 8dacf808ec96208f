#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace tlw {

// The registry key under which the spooler's network ports appear, one subkey per
// device URI with the printer's address in the value IPAddress.
inline const char* const kPortsRegistryKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports";

// Root keys, with the values the registry class uses for them.
enum RegistryRoot : std::uint32_t {
  kHkeyClassesRoot = 0x80000000u,
  kHkeyCurrentUser = 0x80000001u,
  kHkeyLocalMachine = 0x80000002u,
  kHkeyUsers = 0x80000003u,
};

// Registry value types.
enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegMultiSz = 7,
  kRegQword = 11,
};

// A value as stored: its type and raw bytes (texts end with their NUL byte).
struct RegistryData {
  std::uint32_t type = kRegNone;
  QByteArray data;
};

// A registry: keys under root keys, each with named values. Key paths use "\"
// between their parts and are matched without regard to letter case.
// MemoryHive is the test double; on Linux the machine root is the spooler's
// port view over a JSON-file hive.
class RegistryHive {
 public:
  virtual ~RegistryHive() = default;
  virtual bool keyExists(std::uint32_t root, const QString& path) = 0;
  virtual std::optional<RegistryData> queryValue(std::uint32_t root, const QString& path,
                                                 const QString& name) = 0;
  virtual bool createKey(std::uint32_t root, const QString& path) = 0;
  virtual bool deleteKey(std::uint32_t root, const QString& path) = 0;
  virtual bool deleteValue(std::uint32_t root, const QString& path, const QString& name) = 0;
  virtual bool setValue(std::uint32_t root, const QString& path, const QString& name,
                        const RegistryData& value) = 0;
  virtual std::optional<QStringList> valueNames(std::uint32_t root, const QString& path) = 0;
  virtual std::optional<QStringList> subKeyNames(std::uint32_t root, const QString& path) = 0;
};

}  // namespace tlw
