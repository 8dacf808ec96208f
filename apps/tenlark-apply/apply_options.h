#pragma once
#include <QString>
#include <QStringList>

namespace tlw {

// tenlark-apply's command line.
struct ApplyOptions {
  QString settingsFile;
  QStringList printers;           // -p/--printer, in the order given
  bool saveRequested = false;     // --save N
  int saveNumber = 0;             // 1 to 8
  bool powerUpRequested = false;  // --power-up N
  int powerUpNumber = 0;          // 0 factory, 1 to 8
  bool yes = false;               // Yes to the calibration and overwrite questions
  bool oldEmulationCmd = false;   // the wizard's "OLD" option
  int widthClass = 0;             // 4, 6 or 8; 0 unknown
  bool dryRun = false;
  QString dryRunDir;
  QString logFile;  // empty: no debug log
  int connections = 16;  // --connections: at most this many open to one print server
};

enum class ParseOutcome { Run, Help, Version, Error };

struct ParsedArguments {
  ParseOutcome outcome = ParseOutcome::Error;
  ApplyOptions options;
  QString text;  // help text, version line or error message (no trailing newline)
};

// Parses the command line (arguments[0] is the program).
ParsedArguments ParseApplyArguments(const QStringList& arguments);

}  // namespace tlw
