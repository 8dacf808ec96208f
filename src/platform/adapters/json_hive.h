#pragma once
#include <QString>
#include <map>
#include <utility>

#include "platform/registry_hive.h"

namespace tlw {

// A writable registry kept in memory and, when a file is given, in one JSON file
// that is read at construction and rewritten after every change. Key paths and
// value names are matched without regard to letter case; surplus "\" at either
// end of a path is ignored. A root key with an empty path always exists.
class JsonHive : public RegistryHive {
 public:
  // `filePath` empty: memory only.
  explicit JsonHive(QString filePath = QString());

  bool keyExists(std::uint32_t root, const QString& path) override;
  std::optional<RegistryData> queryValue(std::uint32_t root, const QString& path,
                                         const QString& name) override;
  bool createKey(std::uint32_t root, const QString& path) override;
  // Refuses a key that does not exist, that has sub-keys, or a root itself.
  bool deleteKey(std::uint32_t root, const QString& path) override;
  bool deleteValue(std::uint32_t root, const QString& path, const QString& name) override;
  bool setValue(std::uint32_t root, const QString& path, const QString& name,
                const RegistryData& value) override;
  std::optional<QStringList> valueNames(std::uint32_t root, const QString& path) override;
  std::optional<QStringList> subKeyNames(std::uint32_t root, const QString& path) override;

  // False when the file given at construction existed but could not be read as a
  // hive (the hive then starts empty and the file is left alone until a write).
  bool loaded() const { return loaded_; }

  // "\"-separated path without surplus separators.
  static QString normalizePath(const QString& path);

 private:
  struct Key {
    QString path;  // as first written
    std::map<QString, std::pair<QString, RegistryData>> values;  // by lower-case name
  };
  using KeyId = std::pair<std::uint32_t, QString>;  // root, lower-case path

  Key* find(std::uint32_t root, const QString& path);
  bool save();
  void load();

  QString filePath_;
  bool loaded_ = true;
  std::map<KeyId, Key> keys_;
};

}  // namespace tlw
