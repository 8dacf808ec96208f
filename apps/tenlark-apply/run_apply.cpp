#include "run_apply.h"

#include <QTextStream>

#include "apply_options.h"
#include "core/context.h"
#include "core/settings.h"
#include "prepare.h"

namespace tlw {

int RunApply(const QStringList& arguments, QTextStream& out, QTextStream& err,
             const ApplySender& send) {
  const ParsedArguments parsed = ParseApplyArguments(arguments);
  switch (parsed.outcome) {
    case ParseOutcome::Help: out << parsed.text << '\n'; return 0;
    case ParseOutcome::Version: out << parsed.text << '\n'; return 0;
    case ParseOutcome::Error:
      err << "tenlark-apply: " << parsed.text << '\n'
          << "Try 'tenlark-apply --help' for more information.\n";
      return 2;
    case ParseOutcome::Run: break;
  }
  const ApplyOptions& o = parsed.options;

  AppContext ctx;
  WizardSettings settings(&ctx.session);
  ctx.settings = &settings;
  if (!o.logFile.isEmpty()) {
    ctx.options.DebugMode = kTrue;
    ctx.log.setFile(o.logFile);
    ctx.log.setEnabled(true);
  }

  const ApplyCheck check = PrepareApply(o, ctx);
  if (!check.ok) {
    err << ForTerminal(check.message) << '\n';
    return 2;
  }
  if (!o.dryRun) {
    if (send) return send(o, out, err);
    err << "tenlark-apply: sending to printers is not available here\n";
    return 2;
  }
  QString error;
  if (!WriteDryRun(ctx.log, check.plan, o.dryRunDir, &error)) {
    err << "tenlark-apply: " << error << '\n';
    return 2;
  }
  return 0;
}

}  // namespace tlw
