#include "printer_state.h"

#include <QJsonArray>

namespace tlw::sim {

bool EngineSettings::operator==(const EngineSettings& o) const {
  return printMode == o.printMode && labelLength == o.labelLength &&
         labelWidth == o.labelWidth && mediaHandling == o.mediaHandling &&
         imageShiftH == o.imageShiftH && imageShiftV == o.imageShiftV &&
         rotation == o.rotation && speed == o.speed && sensor == o.sensor &&
         emulation == o.emulation;
}

QString printModeName(char mode) {
  switch (mode) {
    case 'X': return QStringLiteral("thermal-transfer");
    case 'D': return QStringLiteral("direct-thermal");
    default: return QString();
  }
}

QString mediaHandlingName(int code) {
  switch (code) {
    case 0: return QStringLiteral("continuous");
    case 1: return QStringLiteral("tear-off");
    case 3: return QStringLiteral("peel-off");
    case 4: return QStringLiteral("cut");
    default: return QString();
  }
}

QString sensorName(int code) {
  switch (code) {
    case 0: return QStringLiteral("none");
    case 1: return QStringLiteral("mark");
    case 2: return QStringLiteral("gap");
    default: return QString();
  }
}

QString emulationName(int switchNumber) {
  switch (switchNumber) {
    case 1: return QStringLiteral("VEXA");
    case 2: return QStringLiteral("KORU");
    case 4: return QStringLiteral("NIMB");
    case 5: return QStringLiteral("OSSA");
    case 6: return QStringLiteral("BRUNE");
    case 7: return QStringLiteral("FALK");
    default: return QString();
  }
}

QJsonObject EngineSettings::toJson() const {
  QJsonObject o;
  o["printMode"] = printModeName(printMode);
  o["labelLength"] = labelLength;
  o["labelWidth"] = labelWidth;
  o["mediaHandling"] = mediaHandlingName(mediaHandling);
  o["mediaHandlingCode"] = mediaHandling;
  o["imageShiftH"] = imageShiftH;
  o["imageShiftV"] = imageShiftV;
  o["rotation"] = rotation;
  o["speed"] = speed;
  o["sensor"] = sensorName(sensor);
  o["sensorCode"] = sensor;
  o["emulation"] = emulationName(emulation);
  o["emulationSwitch"] = emulation;
  return o;
}

bool EngineSettings::fromJson(const QJsonObject& o, QString* error) {
  EngineSettings s;
  bool ok = true;
  auto number = [&](const char* key, int min, int max, int* out) {
    const QJsonValue v = o.value(QLatin1String(key));
    const double d = v.toDouble(-1e9);
    if (!v.isDouble() || d != static_cast<int>(d) || d < min || d > max) {
      if (ok) *error = QStringLiteral("bad or missing \"%1\"").arg(QLatin1String(key));
      ok = false;
      return;
    }
    *out = static_cast<int>(d);
  };
  const QString mode = o.value(QLatin1String("printMode")).toString();
  if (mode == printModeName('X'))
    s.printMode = 'X';
  else if (mode == printModeName('D'))
    s.printMode = 'D';
  else {
    *error = QStringLiteral("bad or missing \"printMode\"");
    ok = false;
  }
  number("labelLength", 1, 99999, &s.labelLength);
  number("labelWidth", 1, 99999, &s.labelWidth);
  number("mediaHandlingCode", 0, 4, &s.mediaHandling);
  number("imageShiftH", kShiftHMin, kShiftHMax, &s.imageShiftH);
  number("imageShiftV", kShiftVMin, kShiftVMax, &s.imageShiftV);
  number("rotation", 0, 270, &s.rotation);
  number("speed", 1, 10, &s.speed);
  number("sensorCode", 0, 2, &s.sensor);
  number("emulationSwitch", 1, 7, &s.emulation);
  if (ok && (mediaHandlingName(s.mediaHandling).isEmpty() || s.rotation % 90 != 0 ||
             emulationName(s.emulation).isEmpty())) {
    *error = QStringLiteral("a value the printer does not have");
    ok = false;
  }
  if (ok) *this = s;
  return ok;
}

bool PrinterState::restoreStoredSettings(const QJsonObject& o, QString* error) {
  const QJsonObject configs = o.value(QLatin1String("configurations")).toObject();
  std::array<EngineSettings, kStoredConfigurations> restored{};
  for (int i = 0; i < kStoredConfigurations; ++i) {
    const QString key = QString::number(i + 1);
    if (!configs.value(key).isObject()) {
      *error = QStringLiteral("configuration %1 is missing").arg(key);
      return false;
    }
    QString why;
    if (!restored[static_cast<size_t>(i)].fromJson(configs.value(key).toObject(), &why)) {
      *error = QStringLiteral("configuration %1: %2").arg(key, why);
      return false;
    }
  }
  const QJsonValue p = o.value(QLatin1String("powerUp"));
  const double d = p.toDouble(-1);
  if (!p.isDouble() || d != static_cast<int>(d) || d < 0 || d > kStoredConfigurations) {
    *error = QStringLiteral("bad or missing \"powerUp\"");
    return false;
  }
  configurations = restored;
  powerUp = static_cast<int>(d);
  activeConfiguration = powerUp;
  active = powerUp == 0 ? EngineSettings() : configurations[static_cast<size_t>(powerUp - 1)];
  return true;
}

QJsonObject PrinterState::toJson() const {
  QJsonObject o;
  o["active"] = active.toJson();
  o["activeConfiguration"] = activeConfiguration;
  QJsonObject configs;
  for (int i = 0; i < kStoredConfigurations; ++i)
    configs[QString::number(i + 1)] = configurations[static_cast<size_t>(i)].toJson();
  o["configurations"] = configs;
  o["powerUp"] = powerUp;
  o["jobs"] = static_cast<qint64>(jobs);
  o["calibrations"] = static_cast<qint64>(calibrations);
  o["unknownLines"] = QJsonArray::fromStringList(unknownLines);
  o["unknownLinesDropped"] = static_cast<qint64>(unknownLinesDropped);
  QJsonObject ends;
  ends["crlf"] = static_cast<qint64>(crlfLines);
  ends["lf"] = static_cast<qint64>(lfLines);
  ends["none"] = static_cast<qint64>(unterminatedLines);
  o["lineEnds"] = ends;
  o["truncatedJobs"] = static_cast<qint64>(truncatedJobs);
  QJsonArray recent;
  for (const RecentJob& job : recentJobs) {
    QJsonObject j;
    j["number"] = static_cast<qint64>(job.number);
    j["text"] = job.text;
    j["cut"] = job.cut;
    recent.append(j);
  }
  o["recentJobs"] = recent;
  o["stalled"] = stalled;
  o["panel"] = QJsonArray{panelLine1, panelLine2};
  return o;
}

}  // namespace tlw::sim
