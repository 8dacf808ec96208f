#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <stdexcept>

#include "platform/registry_hive.h"

namespace tlw {

// Error raised by cRegistry: a number, a source (the program's file name followed
// by ".cRegistry") and a description.
class RegistryError : public std::runtime_error {
 public:
  RegistryError(std::uint32_t number, QString source, QString description);
  std::uint32_t number() const { return number_; }
  const QString& source() const { return source_; }
  const QString& description() const { return description_; }

 private:
  std::uint32_t number_;
  QString source_;
  QString description_;
};

// General registry access: choose a root key, a key path and a value name through
// the properties, then read or write Value. Reads never fail (anything unreadable
// gives Default); writes, creation and deletion throw RegistryError.
class cRegistry {
 public:
  static constexpr std::uint32_t kErrRegistry = 26001;
  static constexpr std::uint32_t kErrEnumerate = 0x800469AAu;
  static constexpr std::uint32_t kErrBadParameters = 0x800469ACu;
  static constexpr std::uint32_t kErrNoClass = 0x800469ADu;

  explicit cRegistry(RegistryHive* hive);

  // Remote computer. A text longer than 2 characters is stored with "\\" in front
  // (unless it already has it); a shorter text clears it. A remote registry cannot
  // be reached here: while Machine is set, reads give Default and writes fail.
  QString Machine() const { return machine_; }
  void setMachine(const QString& name);

  std::uint32_t ClassKey() const { return classKey_; }
  void setClassKey(std::uint32_t key) { classKey_ = key; }
  QString SectionKey() const { return sectionKey_; }
  void setSectionKey(const QString& key) { sectionKey_ = key; }
  QString ValueKey() const { return valueKey_; }
  void setValueKey(const QString& name) { valueKey_ = name; }
  std::uint32_t ValueType() const { return valueType_; }
  void setValueType(std::uint32_t type) { valueType_ = type; }
  QVariant Default() const { return default_; }
  void setDefault(const QVariant& value) { default_ = value; }

  // Whether SectionKey under ClassKey can be opened.
  bool KeyExists() const;
  void CreateKey();
  void DeleteKey();
  void DeleteValue();

  // Reads ValueKey: REG_SZ and REG_MULTI_SZ as text without the final NUL,
  // REG_EXPAND_SZ with environment variables expanded, REG_DWORD and
  // REG_DWORD_BIG_ENDIAN as a 32-bit number, anything else as a byte array.
  // Sets ValueType to the type found. Default when the value cannot be read.
  QVariant Value();
  // Writes `value` as ValueType (1, 2: text; 3, 11: bytes; 4, 5: 32-bit number),
  // creating the key when needed.
  void setValue(const QVariant& value);

  void EnumerateValues(QStringList& names, int& count) const;
  void EnumerateSections(QStringList& names, int& count) const;

  // Registers `extension` (with or without its dot) for `className`, with the
  // shell verbs open, print, install (add) and new, and a default icon, under
  // "SOFTWARE\Classes\" of ClassKey. Empty menu texts leave a verb out, except
  // open, which is always written.
  void CreateEXEAssociation(const QString& exePath, const QString& className,
                            const QString& classDescription, const QString& extension,
                            const QString& openMenuText = QStringLiteral("&Open"),
                            const QString& printMenuText = QStringLiteral("&Print"),
                            const QString& installMenuText = QStringLiteral("&Install "),
                            const QString& newMenuText = QStringLiteral("&New"),
                            int defaultIcon = 0);
  // Adds verbs to a registered class: `triples` holds name, menu text and
  // command, repeated.
  void CreateAdditionalEXEAssociations(const QString& className, const QStringList& triples);

  // Sets the five properties, then reads or writes Value.
  QVariant ValueEx(std::uint32_t classKey, const QString& sectionKey, const QString& valueKey,
                   std::uint32_t valueType, const QVariant& defaultValue);
  void setValueEx(std::uint32_t classKey, const QString& sectionKey, const QString& valueKey,
                  std::uint32_t valueType, const QVariant& value);

  // The "program's file name" part of every error source; by default the running
  // application's name.
  static void setProgramName(const QString& name);
  static QString errorSource();

 private:
  [[noreturn]] void raise(std::uint32_t number, const QString& description) const;
  QString classKeyText() const;
  void createKeyOrRaise(const QString& path);
  void setDefaultValue(const QString& path, const QString& text);

  RegistryHive* hive_;
  QString machine_;
  std::uint32_t classKey_ = kHkeyLocalMachine;
  QString sectionKey_;
  QString valueKey_;
  std::uint32_t valueType_ = kRegSz;
  QVariant default_;
};

}  // namespace tlw
