#include "platform/adapters/json_hive.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace tlw {

JsonHive::JsonHive(QString filePath) : filePath_(std::move(filePath)) { load(); }

QString JsonHive::normalizePath(const QString& path) {
  const QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
  return parts.join(QLatin1Char('\\'));
}

JsonHive::Key* JsonHive::find(std::uint32_t root, const QString& path) {
  auto it = keys_.find({root, normalizePath(path).toLower()});
  return it == keys_.end() ? nullptr : &it->second;
}

bool JsonHive::keyExists(std::uint32_t root, const QString& path) {
  return normalizePath(path).isEmpty() || find(root, path) != nullptr;
}

std::optional<RegistryData> JsonHive::queryValue(std::uint32_t root, const QString& path,
                                                 const QString& name) {
  Key* key = find(root, path);
  if (!key) return std::nullopt;
  auto it = key->values.find(name.toLower());
  if (it == key->values.end()) return std::nullopt;
  return it->second.second;
}

bool JsonHive::createKey(std::uint32_t root, const QString& path) {
  const QString norm = normalizePath(path);
  if (norm.isEmpty()) return true;
  const QStringList parts = norm.split(QLatin1Char('\\'));
  bool changed = false;
  QString sofar;
  for (const QString& part : parts) {
    sofar = sofar.isEmpty() ? part : sofar + QLatin1Char('\\') + part;
    const KeyId id{root, sofar.toLower()};
    if (keys_.find(id) == keys_.end()) {
      keys_[id].path = sofar;
      changed = true;
    }
  }
  return !changed || save();
}

bool JsonHive::deleteKey(std::uint32_t root, const QString& path) {
  const QString norm = normalizePath(path);
  if (norm.isEmpty()) return false;
  auto it = keys_.find({root, norm.toLower()});
  if (it == keys_.end()) return false;
  if (auto subs = subKeyNames(root, norm); subs && !subs->isEmpty()) return false;
  keys_.erase(it);
  return save();
}

bool JsonHive::deleteValue(std::uint32_t root, const QString& path, const QString& name) {
  Key* key = find(root, path);
  if (!key || key->values.erase(name.toLower()) == 0) return false;
  return save();
}

bool JsonHive::setValue(std::uint32_t root, const QString& path, const QString& name,
                        const RegistryData& value) {
  if (normalizePath(path).isEmpty()) return false;  // no values on a root itself
  Key* key = find(root, path);
  if (!key) return false;
  key->values[name.toLower()] = {name, value};
  return save();
}

std::optional<QStringList> JsonHive::valueNames(std::uint32_t root, const QString& path) {
  if (normalizePath(path).isEmpty()) return QStringList();
  Key* key = find(root, path);
  if (!key) return std::nullopt;
  QStringList names;
  for (const auto& v : key->values) names << v.second.first;
  return names;
}

std::optional<QStringList> JsonHive::subKeyNames(std::uint32_t root, const QString& path) {
  const QString norm = normalizePath(path).toLower();
  if (!norm.isEmpty() && !find(root, norm)) return std::nullopt;
  const QString prefix = norm.isEmpty() ? QString() : norm + QLatin1Char('\\');
  QStringList names;
  for (const auto& [id, key] : keys_) {
    if (id.first != root || !id.second.startsWith(prefix) || id.second == norm) continue;
    const QString rest = id.second.mid(prefix.size());
    if (rest.contains(QLatin1Char('\\'))) continue;
    names << key.path.section(QLatin1Char('\\'), -1);
  }
  return names;
}

bool JsonHive::save() {
  if (filePath_.isEmpty()) return true;
  QJsonArray keys;
  for (const auto& [id, key] : keys_) {
    QJsonArray values;
    for (const auto& v : key.values) {
      QJsonObject value;
      value[QStringLiteral("name")] = v.second.first;
      value[QStringLiteral("type")] = static_cast<qint64>(v.second.second.type);
      value[QStringLiteral("data")] = QString::fromLatin1(v.second.second.data.toBase64());
      values.append(value);
    }
    QJsonObject k;
    k[QStringLiteral("root")] = static_cast<qint64>(id.first);
    k[QStringLiteral("path")] = key.path;
    k[QStringLiteral("values")] = values;
    keys.append(k);
  }
  QJsonObject top;
  top[QStringLiteral("keys")] = keys;
  QSaveFile file(filePath_);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QJsonDocument(top).toJson());
  return file.commit();
}

void JsonHive::load() {
  if (filePath_.isEmpty()) return;
  QFile file(filePath_);
  if (!file.exists()) return;
  if (!file.open(QIODevice::ReadOnly)) {
    loaded_ = false;
    return;
  }
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) {
    loaded_ = false;
    return;
  }
  for (const QJsonValue kv : doc.object().value(QStringLiteral("keys")).toArray()) {
    const QJsonObject k = kv.toObject();
    const qint64 root = k.value(QStringLiteral("root")).toInteger(-1);
    const QString path = normalizePath(k.value(QStringLiteral("path")).toString());
    if (root < 0 || root > 0xFFFFFFFFLL || path.isEmpty()) continue;
    const auto r = static_cast<std::uint32_t>(root);
    // Parents exist whenever a child does.
    QString sofar;
    for (const QString& part : path.split(QLatin1Char('\\'))) {
      sofar = sofar.isEmpty() ? part : sofar + QLatin1Char('\\') + part;
      Key& key = keys_[{r, sofar.toLower()}];
      if (key.path.isEmpty()) key.path = sofar;
    }
    Key& key = keys_[{r, path.toLower()}];
    for (const QJsonValue vv : k.value(QStringLiteral("values")).toArray()) {
      const QJsonObject v = vv.toObject();
      RegistryData data;
      data.type = static_cast<std::uint32_t>(v.value(QStringLiteral("type")).toInteger(0));
      data.data = QByteArray::fromBase64(v.value(QStringLiteral("data")).toString().toLatin1());
      const QString name = v.value(QStringLiteral("name")).toString();
      key.values[name.toLower()] = {name, data};
    }
  }
}

}  // namespace tlw
