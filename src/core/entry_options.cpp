#include "core/entry_options.h"

#include <QStringList>

#include "core/debug_log.h"
#include "core/program_state.h"

namespace tlw {

QString ArgumentText(int argc, const char* const* argv) {
  QStringList parts;
  for (int i = 1; i < argc; ++i) parts << QString::fromLocal8Bit(argv[i]);
  return parts.join(QLatin1Char(' '));
}

void ApplyEntryOptions(const QString& argumentText, ProgramState& state, DebugLog& log) {
  state.JobErrorFlag = kFalse;
  state.SettingsSavedToFile = kFalse;
  state.DebugMode = kFalse;
  state.CdMenuMode = kFalse;
  log.setEnabled(false);
  state.CdMenuTool = QStringLiteral("MaxMin.exe");

  const QString upper = argumentText.toUpper();
  if (upper.contains(QLatin1String("LOG"))) {
    state.DebugMode = kTrue;
    log.setEnabled(true);
    log.write(QStringLiteral("Entering Debug Mode"));
  }
  if (upper.contains(QLatin1String("OLD"))) {
    state.UseOldEmulationCmd = 1;
    log.write(QStringLiteral("Using Old Emulation Cmd"));
  }
  if (upper.contains(QLatin1String("CD"))) {
    state.CdMenuMode = kTrue;
    state.CdMenuArg = argumentText.mid(2);
    log.write(QStringLiteral("MinMax CD Menu Enabled"));
  }
}

}  // namespace tlw
