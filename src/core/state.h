#pragma once
#include <QString>
#include <cstdint>

#include "core/flags.h"

namespace tlw {

// The answer stored from the exit question (the values of a Yes/No box answer).
enum class PromptAnswer : std::int16_t { None = 0, Yes = 6, No = 7 };

// What the settings file dialog is opened for.
enum class FileDialogMode : int {
  Load = 0,              // load a settings file
  SaveBeforeFinish = 1,  // save, then go on to the finish page
  SaveBeforeExit = 2,    // save, then end the program
};

// Fixed once the command line has been read.
struct StartupOptions {
  Flag DebugMode = kFalse;
  std::int16_t UseOldEmulationCmd = 0;  // 1 (not -1) when "OLD" was given
  Flag CdMenuMode = kFalse;
  QString CdMenuArg;
  QString CdMenuTool = QStringLiteral("MaxMin.exe");
};

// The printer the operator chose: every job and status query addresses it.
struct PrinterChoice {
  QString SelectedPrinterName;
  QString PrinterPortName;    // device URI
  QString PrinterDriverName;  // make and model
  std::int16_t PrintWidthClass = 0;  // 4, 6 or 8 inches; 0 while unknown
  // The queue that every job and every status query addresses.
  QString CurrentPrinter;
};

// What the operator asked the next run to do besides the settings themselves.
struct RunRequest {
  Flag CalibrationNeeded = kFalse;
  Flag SaveConfigRequested = kFalse;
  std::int16_t SaveConfigNumber = 0;  // 1 to 8
  Flag PowerUpRequested = kFalse;
  std::int16_t PowerUpConfigNumber = 0;  // 0 factory, 1 to 8
};

// What happened so far in this session; the pages read these to decide what to ask.
struct SessionFlags {
  Flag SettingsSelected = kFalse;
  Flag SettingsSavedToFile = kFalse;
  Flag SettingsSent = kFalse;
  Flag JobErrorFlag = kFalse;  // set by the printer error box of a failed run
  PromptAnswer ExitPromptAnswer = PromptAnswer::None;
};

}  // namespace tlw
