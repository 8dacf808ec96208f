#pragma once
#include <QString>

#include "core/flags.h"

namespace tlw {

struct AppContext;

// The message boxes that several pages and the job runner share. Each one shows
// its fixed title, text, icon and buttons through ctx.services.prompts and applies
// its effect on the program-wide flags.

// "Notice" box with the text unchanged. No flag changes.
void ShowNotice(AppContext& ctx, const QString& text);
// "Process Successful" box; afterwards SettingsSent is set.
void ShowSuccess(AppContext& ctx);
// "Printer Error" box after a failed job. Sets JobErrorFlag before the box and
// clears SettingsSent after it. An empty front-panel text asks the operator to look
// at the printer instead. Does not end the program.
void ShowConfigError(AppContext& ctx, const QString& frontPanelMessage);
// "Printer Error" box with a text of the caller; with exitFlag set the wizard ends
// (ExitWizard) once the box is closed.
void ShowPrinterError(AppContext& ctx, const QString& text, Flag exitFlag);
// "File Exist Error" question; true (-1) only for Yes. No is the default button.
Flag ConfirmOverwrite(AppContext& ctx);
// "Leaving Wizard Without Saving Settings" question. Clears SettingsSelected. Yes
// opens the settings file dialog in its save-before-exit mode and returns true.
Flag ConfirmExitWithChanges(AppContext& ctx);
// The Cancel/Exit buttons' prompt. After a successful run ends the wizard at once;
// otherwise asks, stores the answer in ExitPromptAnswer and ends the wizard on Yes.
void ConfirmExitCaution(AppContext& ctx);

}  // namespace tlw
