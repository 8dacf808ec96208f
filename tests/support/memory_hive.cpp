#include "support/memory_hive.h"

namespace tlw::test {

bool MemoryHive::createKey(std::uint32_t root, const QString& path) {
  return !failWrites && JsonHive::createKey(root, path);
}

bool MemoryHive::deleteKey(std::uint32_t root, const QString& path) {
  return !failWrites && JsonHive::deleteKey(root, path);
}

bool MemoryHive::deleteValue(std::uint32_t root, const QString& path, const QString& name) {
  return !failWrites && JsonHive::deleteValue(root, path, name);
}

bool MemoryHive::setValue(std::uint32_t root, const QString& path, const QString& name,
                          const RegistryData& value) {
  return !failWrites && JsonHive::setValue(root, path, name, value);
}

void MemoryHive::put(std::uint32_t root, const QString& path, const QString& name,
                     std::uint32_t type, const QByteArray& data) {
  JsonHive::createKey(root, path);
  JsonHive::setValue(root, path, name, RegistryData{type, data});
}

}  // namespace tlw::test
