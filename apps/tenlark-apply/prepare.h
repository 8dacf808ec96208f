#pragma once
#include <QString>
#include <vector>

#include "apply_options.h"
#include "setuplang/run_plan.h"

class QTextStream;

namespace tlw {

struct AppContext;
class DebugLog;

// Outcome of the checks before a run. On failure `message` holds the text to show
// (lines joined by CR LF, as the wizard's boxes show them) and nothing may be sent.
// On success `plan` is the run that the dry run writes and the printers get.
struct ApplyCheck {
  bool ok = false;
  QString message;
  RunPlan plan;
};

// Loads the settings file into ctx.settings (fresh settings) and applies the
// wizard's finish rules for a printer of options.widthClass: a refusal refuses; a
// question refuses outside a dry run unless --yes answered it; a selected setting
// without a list entry refuses. On success ctx.request holds the run values and
// ctx.options.UseOldEmulationCmd the emulation command. ctx.settings must be set.
ApplyCheck PrepareApply(const ApplyOptions& options, AppContext& ctx);

// Writes each sending step's job to `dir` under its file name (creating the folder;
// job files of an earlier dry run that this plan does not hold are removed) and
// logs each job as its sender would. False with `error` set when a file cannot be
// written.
bool WriteDryRun(DebugLog& log, const RunPlan& plan, const QString& dir, QString* error);

// Box texts use CR LF between lines; a terminal wants plain line ends.
QString ForTerminal(const QString& text);
QStringList TerminalLines(const QString& text);

}  // namespace tlw
