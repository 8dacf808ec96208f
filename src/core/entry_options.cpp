#include "core/entry_options.h"

#include <QStringList>

#include "core/debug_log.h"
#include "core/state.h"

namespace tlw {

QString ArgumentText(int argc, const char* const* argv) {
  QStringList parts;
  for (int i = 1; i < argc; ++i) parts << QString::fromLocal8Bit(argv[i]);
  return parts.join(QLatin1Char(' '));
}

void ApplyEntryOptions(const QString& argumentText, StartupOptions& options,
                       SessionFlags& session, DebugLog& log) {
  session.JobErrorFlag = kFalse;
  session.SettingsSavedToFile = kFalse;
  options.DebugMode = kFalse;
  options.CdMenuMode = kFalse;
  log.setEnabled(false);
  options.CdMenuTool = QStringLiteral("MaxMin.exe");

  const QString upper = argumentText.toUpper();
  if (upper.contains(QLatin1String("LOG"))) {
    options.DebugMode = kTrue;
    log.setEnabled(true);
    log.write(QStringLiteral("Entering Debug Mode"));
  }
  if (upper.contains(QLatin1String("OLD"))) {
    options.UseOldEmulationCmd = 1;
    log.write(QStringLiteral("Using Old Emulation Cmd"));
  }
  if (upper.contains(QLatin1String("CD"))) {
    options.CdMenuMode = kTrue;
    options.CdMenuArg = argumentText.mid(2);
    log.write(QStringLiteral("MinMax CD Menu Enabled"));
  }
}

}  // namespace tlw
