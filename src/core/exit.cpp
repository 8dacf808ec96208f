#include "core/exit.h"

#include "core/boxes.h"
#include "core/context.h"
#include "core/navigator.h"
#include "core/settings.h"
#include "platform/clock.h"
#include "platform/process_launcher.h"

namespace tlw {

void ExitWizard(AppContext& ctx) {
  if (ctx.exitStarted) return;

  if (ctx.settings) CollectSettingState(*ctx.settings, ctx.session, ctx.request);
  if (isSet(ctx.session.SettingsSelected) && !isSet(ctx.session.SettingsSavedToFile)) {
    if (isSet(ConfirmExitWithChanges(ctx))) return;  // the save dialog is open now
    // The prompt is modal: a close that happened while it was on screen has
    // already finished the job.
    if (ctx.exitStarted) return;
  }

  ctx.exitStarted = true;
  if (isSet(ctx.options.CdMenuMode) && ctx.services.processes) {
    ctx.services.processes->startDetached(
        ctx.options.CdMenuTool + QStringLiteral(" max ") + ctx.options.CdMenuArg, true);
  }
  if (ctx.navigator) ctx.navigator->closeAllWindows();
  // A job run waiting on the clock notices the exit at once instead of after its wait.
  if (ctx.services.clock) ctx.services.clock->wake();
}

}  // namespace tlw
