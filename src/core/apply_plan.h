#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QTextStream;

namespace tlw {

struct AppContext;

// tenlark-apply: applies a saved settings file to printers without windows, with
// the same rules the finish page applies before a run.

struct ApplyOptions {
  QString settingsFile;
  QStringList printers;        // -p/--printer, in the order given
  bool saveRequested = false;  // --save N
  int saveNumber = 0;          // 1 to 8
  bool powerUpRequested = false;  // --power-up N
  int powerUpNumber = 0;          // 0 factory, 1 to 8
  bool yes = false;               // Yes to the calibration and overwrite questions
  bool oldEmulationCmd = false;   // the wizard's "OLD" option
  int widthClass = 0;             // 4, 6 or 8; 0 unknown
  bool dryRun = false;
  QString dryRunDir;
  QString logFile;  // empty: no debug log
};

enum class ParseOutcome { Run, Help, Version, Error };

struct ParsedArguments {
  ParseOutcome outcome = ParseOutcome::Error;
  ApplyOptions options;
  QString text;  // help text, version line or error message (no trailing newline)
};

// Parses the command line (arguments[0] is the program).
ParsedArguments ParseApplyArguments(const QStringList& arguments);

// Outcome of the checks before a run. On failure `message` holds the text to show
// (lines joined by CR LF, as the wizard's boxes show them) and nothing may be sent.
struct ApplyCheck {
  bool ok = false;
  QString message;
};

// Loads the settings file into ctx.settings (fresh settings) and applies the
// finish page's rules: nothing selected; label size not fitting the width class;
// emulation change without --save; a selected setting without a list entry; and
// outside a dry run, calibration or a save without --yes. On success ctx.state
// holds the run values (SaveConfigRequested/Number, PowerUpRequested/Number,
// CalibrationNeeded, UseOldEmulationCmd, PrintWidthClass). ctx.settings must be set.
ApplyCheck PrepareApply(const ApplyOptions& options, AppContext& ctx);

// One job of a run, with its dry-run file name and debug log tag.
struct PlannedJob {
  QString fileName;  // "01-emulation.job" ... "06-power-up.job"
  QString tag;       // "SendEmuCmd " ...
  QByteArray text;
};

// The jobs a run of the prepared context sends, in run order: emulation switch and
// configuration load, configuration update, calibration, save, power-up. Probe
// jobs are not part of the plan.
std::vector<PlannedJob> PlanJobs(const AppContext& ctx);

// Writes each job to `dir` under its file name (creating the folder; job files
// of an earlier dry run that this plan does not hold are removed) and logs each
// job as its sender would. Returns false with `error` set when a file cannot be written.
bool WriteDryRun(AppContext& ctx, const std::vector<PlannedJob>& jobs, const QString& dir,
                 QString* error);

// Sends a checked run to the printers and returns the exit code (tenlark-apply
// passes the real one; the logic library has no spooler of its own).
using ApplySender = std::function<int(const ApplyOptions&, QTextStream& out, QTextStream& err)>;

// The whole program: parse, check, dry run or send. Returns the exit code (0
// success, 1 a job was not taken, 2 for every refusal or error).
int RunApply(const QStringList& arguments, QTextStream& out, QTextStream& err,
             const ApplySender& send = {});

}  // namespace tlw
