#pragma once

namespace tlw {

struct AppContext;

// Ends the program. With settings selected and not saved to a file it asks first;
// when the operator chooses to save, the save dialog opens and ExitWizard returns
// without closing anything. Otherwise, in CD mode, it starts the CD menu tool with
// " max " and the CD argument (hidden, not waited for), then closes every window.
// Those closing steps run once: calls made while or after the program closes do
// nothing (ctx.exitStarted), and a waiting job run is woken so that it can stop.
void ExitWizard(AppContext& ctx);

}  // namespace tlw
