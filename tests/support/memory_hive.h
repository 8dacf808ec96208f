#pragma once
#include "platform/adapters/json_hive.h"

namespace tlw::test {

// An in-memory registry for tests (the JSON hive without a file). Writes can be
// made to fail to reach the error paths of the registry class.
class MemoryHive : public JsonHive {
 public:
  MemoryHive() : JsonHive(QString()) {}

  bool createKey(std::uint32_t root, const QString& path) override;
  bool deleteKey(std::uint32_t root, const QString& path) override;
  bool deleteValue(std::uint32_t root, const QString& path, const QString& name) override;
  bool setValue(std::uint32_t root, const QString& path, const QString& name,
                const RegistryData& value) override;

  // Stores a value, creating its key (test set-up).
  void put(std::uint32_t root, const QString& path, const QString& name, std::uint32_t type,
           const QByteArray& data);

  bool failWrites = false;
};

}  // namespace tlw::test
