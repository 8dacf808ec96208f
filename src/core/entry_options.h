#pragma once
#include <QString>

namespace tlw {

struct StartupOptions;
struct SessionFlags;
class DebugLog;

// The argument text of a Linux command line: argv[1..] joined by single blanks
// (the text after the program's own path).
QString ArgumentText(int argc, const char* const* argv);

// Reads the options from the argument text and sets the mode flags, as the
// program entry does before the welcome page opens:
//  - JobErrorFlag, SettingsSavedToFile, DebugMode and CdMenuMode are cleared and
//    CdMenuTool is set to "MaxMin.exe" first, in every start;
//  - "LOG", "OLD" and "CD" are found anywhere in the upper-cased text, in any
//    order and with any separators;
//  - "LOG" turns the debug log on and logs "Entering Debug Mode";
//  - "OLD" sets UseOldEmulationCmd to 1 and logs "Using Old Emulation Cmd";
//  - "CD" sets CdMenuMode, takes CdMenuArg from the unchanged text from its 3rd
//    character on (the first two characters are always dropped) and logs
//    "MinMax CD Menu Enabled".
// `log` is switched on or off together with DebugMode.
void ApplyEntryOptions(const QString& argumentText, StartupOptions& options,
                       SessionFlags& session, DebugLog& log);

}  // namespace tlw
