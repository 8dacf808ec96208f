#pragma once
#include <QString>
#include <cstdint>

#include "core/flags.h"

namespace tlw {

// The program-wide flags and values that the pages, the settings file, the job
// builders and the job runner share for the whole run.
struct ProgramState {
  // Mode values from the command line.
  Flag DebugMode = kFalse;
  std::int16_t UseOldEmulationCmd = 0;  // 1 (not -1) when "OLD" was given
  Flag CdMenuMode = kFalse;
  QString CdMenuArg;
  QString CdMenuTool = QStringLiteral("MaxMin.exe");

  Flag SettingsSelected = kFalse;
  Flag CalibrationNeeded = kFalse;
  Flag SettingsSavedToFile = kFalse;
  Flag SettingsSent = kFalse;
  Flag JobErrorFlag = kFalse;
  std::int16_t ExitPromptAnswer = 0;  // 6 Yes, 7 No

  QString SelectedPrinterName;
  QString PrinterPortName;
  QString PrinterDriverName;
  std::int16_t PrintWidthClass = 0;  // 4, 6 or 8 inches; 0 while unknown

  Flag SaveConfigRequested = kFalse;
  std::int16_t SaveConfigNumber = 0;  // 1 to 8
  Flag PowerUpRequested = kFalse;
  std::int16_t PowerUpConfigNumber = 0;  // 0 factory, 1 to 8

  // The queue that every job and every status query addresses.
  QString CurrentPrinter;
};

}  // namespace tlw
