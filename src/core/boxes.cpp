#include "core/boxes.h"

#include "core/context.h"
#include "core/exit.h"
#include "core/navigator.h"
#include "platform/prompts.h"

namespace tlw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

BoxAnswer show(AppContext& ctx, const QString& title, const QString& text, BoxIcon icon,
               BoxButtons buttons, BoxAnswer defaultButton) {
  MessageBox box;
  box.title = title;
  box.text = text;
  box.icon = icon;
  box.buttons = buttons;
  box.defaultButton = defaultButton;
  if (!ctx.services.prompts) return buttons == BoxButtons::Ok ? BoxAnswer::Ok : defaultButton;
  return ctx.services.prompts->show(box);
}

}  // namespace

void ShowNotice(AppContext& ctx, const QString& text) {
  show(ctx, QStringLiteral("Notice"), text, BoxIcon::Information, BoxButtons::Ok, BoxAnswer::Ok);
}

void ShowSuccess(AppContext& ctx) {
  show(ctx, QStringLiteral("Process Successful"),
       QStringLiteral("Printer Setup Request Successfully Sent"), BoxIcon::Information,
       BoxButtons::Ok, BoxAnswer::Ok);
  ctx.session.SettingsSent = kTrue;
}

void ShowConfigError(AppContext& ctx, const QString& frontPanelMessage) {
  ctx.session.JobErrorFlag = kTrue;
  QString text = QStringLiteral("ERROR!  Unable to Update Printer Settings.") + kCrLf +
                 QStringLiteral("An unexpected error occurred during printer configuration.");
  if (!frontPanelMessage.isEmpty()) {
    text += kCrLf + QStringLiteral("Printer Front Panel Message:") + kCrLf + frontPanelMessage;
  } else {
    text += kCrLf + QStringLiteral("Please see the printer for the error condition.");
  }
  text += kCrLf + kCrLf + QStringLiteral("Operation cannot continue. The wizard will exit.");
  show(ctx, QStringLiteral("Printer Error"), text, BoxIcon::Stop, BoxButtons::Ok, BoxAnswer::Ok);
  ctx.session.SettingsSent = kFalse;
}

void ShowPrinterError(AppContext& ctx, const QString& text, Flag exitFlag) {
  const QString message =
      text + kCrLf +
      (isSet(exitFlag) ? QStringLiteral("The wizard will exit.")
                       : QStringLiteral("Operation cannot continue."));
  show(ctx, QStringLiteral("Printer Error"), message, BoxIcon::Stop, BoxButtons::Ok,
       BoxAnswer::Ok);
  if (isSet(exitFlag)) ExitWizard(ctx);
}

Flag ConfirmOverwrite(AppContext& ctx) {
  const BoxAnswer a = show(ctx, QStringLiteral("File Exist Error"),
                           QStringLiteral("Warning! Selected file currently exist") + kCrLf +
                               QStringLiteral("Do you want to overwrite the file?"),
                           BoxIcon::Warning, BoxButtons::YesNo, BoxAnswer::No);
  return toFlag(a == BoxAnswer::Yes);
}

Flag ConfirmExitWithChanges(AppContext& ctx) {
  ctx.session.SettingsSelected = kFalse;
  const BoxAnswer a =
      show(ctx, QStringLiteral("Leaving Wizard Without Saving Settings"),
           QStringLiteral("You are about to exit this wizard after making changes.") + kCrLf +
               QStringLiteral("Once you exit, all of your settings will be lost.") + kCrLf +
               QStringLiteral("Would you like to save your settings before you exit?"),
           BoxIcon::Question, BoxButtons::YesNo, BoxAnswer::Yes);
  if (a != BoxAnswer::Yes) return kFalse;
  if (ctx.navigator) ctx.navigator->openSettingsFileDialog(FileDialogMode::SaveBeforeExit);
  return kTrue;
}

void ConfirmExitCaution(AppContext& ctx) {
  if (isSet(ctx.session.SettingsSent)) {
    ExitWizard(ctx);
    return;
  }
  const BoxAnswer a =
      show(ctx, QStringLiteral("Caution Exiting Wizard"),
           QStringLiteral("Printer setting is not complete. If you quit") + kCrLf +
               QStringLiteral("the wizard now, the printer will not be updated.") + kCrLf +
               QStringLiteral("Do you want to exit the wizard?"),
           BoxIcon::Warning, BoxButtons::YesNo, BoxAnswer::No);
  ctx.session.ExitPromptAnswer = a == BoxAnswer::Yes ? PromptAnswer::Yes : PromptAnswer::No;
  if (a == BoxAnswer::Yes) ExitWizard(ctx);
}

}  // namespace tlw
