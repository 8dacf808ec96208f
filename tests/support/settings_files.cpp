#include "support/settings_files.h"

#include <QFile>

#include "core/settings.h"
#include "core/settings_file.h"

namespace tlw::test {

QString WriteSettingsFile(const QString& path, const std::function<void(WizardSettings&)>& change) {
  SessionFlags session;
  WizardSettings settings(&session);
  if (change) change(settings);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(EncodeWizardSettings(settings)) < 0) return {};
  return path;
}

void WideLabel(WizardSettings& settings) {
  settings.setIgnore(IgnoreBox::MediaSize, 0);
  settings.setIndex(ListControl::LabelWidth,
                    settings.appendWidth(QStringLiteral("6.0\" (152.4mm)"), QStringLiteral("06000")));
}

void OrientationOnly(WizardSettings& settings) {
  settings.setIgnore(IgnoreBox::Orientation, 0);
  settings.setIndex(ListControl::Orientation, 1);
}

}  // namespace tlw::test
