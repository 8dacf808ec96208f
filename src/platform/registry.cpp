#include "platform/registry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace tlw {

namespace {

QString& programNameOverride() {
  static QString name;
  return name;
}

// Text bytes as stored: drops the one terminating NUL when it is there.
QString storedText(const QByteArray& data) {
  QByteArray d = data;
  if (d.endsWith('\0')) d.chop(1);
  return QString::fromLatin1(d);
}

quint32 littleEndian32(const QByteArray& d) {
  quint32 v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(d[i]);
  return v;
}

// %NAME% replaced by the environment variable's value; names that are not set
// stay as they are.
QString expandEnvironment(const QString& text) {
  static const QRegularExpression re(QStringLiteral("%([^%]+)%"));
  QString out;
  qsizetype last = 0;
  auto it = re.globalMatch(text);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    out += text.mid(last, m.capturedStart() - last);
    const QByteArray name = m.captured(1).toLocal8Bit();
    if (qEnvironmentVariableIsSet(name.constData())) {
      out += qEnvironmentVariable(name.constData());
    } else {
      out += m.captured(0);
    }
    last = m.capturedEnd();
  }
  out += text.mid(last);
  return out;
}

QString variantText(const QVariant& v) {
  if (v.typeId() == QMetaType::QByteArray) return QString::fromLatin1(v.toByteArray());
  return v.toString();
}

}  // namespace

RegistryError::RegistryError(std::uint32_t number, QString source, QString description)
    : std::runtime_error(description.toStdString()),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

cRegistry::cRegistry(RegistryHive* hive) : hive_(hive) {}

void cRegistry::setProgramName(const QString& name) { programNameOverride() = name; }

QString cRegistry::errorSource() {
  QString name = programNameOverride();
  if (name.isEmpty() && QCoreApplication::instance()) {
    name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  }
  if (name.isEmpty()) name = QStringLiteral("tenlark-wizard");
  return name + QStringLiteral(".cRegistry");
}

void cRegistry::raise(std::uint32_t number, const QString& description) const {
  throw RegistryError(number, errorSource(), description);
}

// Root keys are signed 32-bit handles; their decimal text is the signed value.
QString cRegistry::classKeyText() const {
  return QString::number(static_cast<qint32>(classKey_));
}

void cRegistry::setMachine(const QString& name) {
  if (name.size() > 2) {
    machine_ = name.startsWith(QLatin1String("\\\\")) ? name : QStringLiteral("\\\\") + name;
  } else {
    machine_.clear();
  }
}

bool cRegistry::KeyExists() const { return hive_ && hive_->keyExists(classKey_, sectionKey_); }

void cRegistry::CreateKey() {
  if (!hive_ || !hive_->createKey(classKey_, sectionKey_)) {
    raise(kErrRegistry, QStringLiteral("Failed to create registry Key: '") + sectionKey_);
  }
}

void cRegistry::DeleteKey() {
  if (!hive_ || !hive_->deleteKey(classKey_, sectionKey_)) {
    raise(kErrRegistry, QStringLiteral("Failed to delete registry Key: '") + classKeyText() +
                            QStringLiteral("',Section: '") + sectionKey_);
  }
}

void cRegistry::DeleteValue() {
  if (!hive_ || !hive_->keyExists(classKey_, sectionKey_)) {
    raise(kErrRegistry, QStringLiteral("Failed to open key '") + classKeyText() +
                            QStringLiteral("',Section: '") + sectionKey_ +
                            QStringLiteral("' for delete access"));
  }
  if (!hive_->deleteValue(classKey_, sectionKey_, valueKey_)) {
    raise(kErrRegistry, QStringLiteral("Failed to delete registry Key: '") + classKeyText() +
                            QStringLiteral("',Section: '") + sectionKey_ +
                            QStringLiteral("',Key: '") + valueKey_);
  }
}

QVariant cRegistry::Value() {
  if (!machine_.isEmpty()) return default_;  // no remote registry to connect to
  if (!hive_) return default_;
  const std::optional<RegistryData> found = hive_->queryValue(classKey_, sectionKey_, valueKey_);
  if (!found) return default_;
  const RegistryData& d = *found;
  switch (d.type) {
    case kRegSz:
    case kRegMultiSz:
      valueType_ = d.type;
      return storedText(d.data);
    case kRegExpandSz:
      valueType_ = d.type;
      return expandEnvironment(storedText(d.data));
    case kRegDword:
    case kRegDwordBigEndian: {
      if (d.data.size() != 4) return default_;
      valueType_ = d.type;
      quint32 v = littleEndian32(d.data);
      if (d.type == kRegDwordBigEndian) {
        v = ((v & 0xFFu) << 24) | ((v & 0xFF00u) << 8) | ((v >> 8) & 0xFF00u) | (v >> 24);
      }
      return static_cast<qint32>(v);
    }
    default:
      valueType_ = d.type;
      return d.data;
  }
}

void cRegistry::setValue(const QVariant& value) {
  auto fail = [&]() {
    raise(kErrRegistry, QStringLiteral("Failed to set registry value Key: '") + classKeyText() +
                            QStringLiteral("',Section: '") + sectionKey_ +
                            QStringLiteral("',Key: '") + valueKey_ +
                            QStringLiteral("' to value: '") + variantText(value) +
                            QStringLiteral("'"));
  };
  if (!machine_.isEmpty() || !hive_) fail();
  RegistryData data;
  switch (valueType_) {
    case kRegSz:
    case kRegExpandSz:
      data.type = valueType_;
      data.data = variantText(value).toLatin1();
      data.data.append('\0');
      break;
    case kRegBinary:
    case kRegQword:
      data.type = valueType_;
      data.data = value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                                                         : variantText(value).toLatin1();
      break;
    case kRegDword:
    case kRegDwordBigEndian: {
      bool ok = false;
      const qint64 n = value.toLongLong(&ok);
      if (!ok || n < INT32_MIN || n > UINT32_MAX) fail();
      const quint32 v = static_cast<quint32>(n);
      data.type = kRegDword;
      for (int i = 0; i < 4; ++i) data.data.append(static_cast<char>((v >> (8 * i)) & 0xFF));
      break;
    }
    default:
      fail();
  }
  if (!hive_->keyExists(classKey_, sectionKey_) && !hive_->createKey(classKey_, sectionKey_)) fail();
  if (!hive_->setValue(classKey_, sectionKey_, valueKey_, data)) fail();
}

void cRegistry::EnumerateValues(QStringList& names, int& count) const {
  names.clear();
  count = 0;
  if (!hive_) return;
  if (auto found = hive_->valueNames(classKey_, sectionKey_)) {
    names = *found;
    count = static_cast<int>(names.size());
  }
}

void cRegistry::EnumerateSections(QStringList& names, int& count) const {
  names.clear();
  count = 0;
  std::optional<QStringList> found;
  if (hive_) found = hive_->subKeyNames(classKey_, sectionKey_);
  if (!found) raise(kErrEnumerate, QStringLiteral("The system cannot find the file specified."));
  names = *found;
  count = static_cast<int>(names.size());
}

void cRegistry::createKeyOrRaise(const QString& path) {
  if (!hive_ || !hive_->createKey(classKey_, path)) {
    raise(kErrRegistry, QStringLiteral("Failed to create registry Key: '") + path);
  }
}

// Writes the unnamed (default) value of `path` as text.
void cRegistry::setDefaultValue(const QString& path, const QString& text) {
  createKeyOrRaise(path);
  RegistryData data;
  data.type = kRegSz;
  data.data = text.toLatin1();
  data.data.append('\0');
  if (!hive_->setValue(classKey_, path, QString(), data)) {
    raise(kErrRegistry, QStringLiteral("Failed to set registry value Key: '") + classKeyText() +
                            QStringLiteral("',Section: '") + path +
                            QStringLiteral("',Key: '' to value: '") + text +
                            QStringLiteral("'"));
  }
}

void cRegistry::CreateEXEAssociation(const QString& exePath, const QString& className,
                                     const QString& classDescription, const QString& extension,
                                     const QString& openMenuText, const QString& printMenuText,
                                     const QString& installMenuText, const QString& newMenuText,
                                     int defaultIcon) {
  const QString classes = QStringLiteral("SOFTWARE\\Classes\\");
  const QString ext = extension.startsWith(QLatin1Char('.')) ? extension
                                                             : QStringLiteral(".") + extension;
  setDefaultValue(classes + ext, className);
  const QString cls = classes + className;
  setDefaultValue(cls, classDescription);
  struct Verb {
    const char* key;
    QString text;
    const char* argument;
  };
  const Verb verbs[] = {
      {"open", openMenuText.isEmpty() ? QStringLiteral("&Open") : openMenuText, " \"%1\""},
      {"print", printMenuText, " /p \"%1\""},
      {"add", installMenuText, " /a \"%1\""},
      {"new", newMenuText, " /n \"%1\""},
  };
  for (const Verb& v : verbs) {
    if (v.text.isEmpty()) continue;
    const QString verbKey = cls + QStringLiteral("\\shell\\") + QLatin1String(v.key);
    setDefaultValue(verbKey, v.text);
    setDefaultValue(verbKey + QStringLiteral("\\command"), exePath + QLatin1String(v.argument));
  }
  setDefaultValue(cls + QStringLiteral("\\DefaultIcon"),
                  exePath + QLatin1Char(',') + QString::number(defaultIcon));
}

void cRegistry::CreateAdditionalEXEAssociations(const QString& className,
                                                const QStringList& triples) {
  if (triples.isEmpty() || triples.size() % 3 != 0) {
    raise(kErrBadParameters,
          QStringLiteral("Invalid parameter list passed to CreateAdditionalEXEAssociations - "
                         "expected Name/Text/Command"));
  }
  const QString cls = QStringLiteral("SOFTWARE\\Classes\\") + className;
  if (className.isEmpty() || !hive_ || !hive_->keyExists(classKey_, cls)) {
    raise(kErrNoClass, QStringLiteral(
                           "Error - attempt to create additional associations before class "
                           "defined."));
  }
  for (int i = 0; i < triples.size(); i += 3) {
    const QString verbKey = cls + QStringLiteral("\\shell\\") + triples[i];
    setDefaultValue(verbKey, triples[i + 1]);
    setDefaultValue(verbKey + QStringLiteral("\\command"), triples[i + 2]);
  }
}

QVariant cRegistry::ValueEx(std::uint32_t classKey, const QString& sectionKey,
                            const QString& valueKey, std::uint32_t valueType,
                            const QVariant& defaultValue) {
  classKey_ = classKey;
  sectionKey_ = sectionKey;
  valueKey_ = valueKey;
  valueType_ = valueType;
  default_ = defaultValue;
  return Value();
}

void cRegistry::setValueEx(std::uint32_t classKey, const QString& sectionKey,
                           const QString& valueKey, std::uint32_t valueType,
                           const QVariant& value) {
  classKey_ = classKey;
  sectionKey_ = sectionKey;
  valueKey_ = valueKey;
  valueType_ = valueType;
  setValue(value);
}

}  // namespace tlw
