#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "core/app_info.h"
#include "core/boxes.h"
#include "core/context.h"
#include "core/settings.h"
#include "platform/adapters/qt_prompts.h"
#include "support/qt_app.h"
#include "support/recording_navigator.h"
#include "support/scripted_prompts.h"

namespace tlw {
namespace {

class BoxesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.settings = &settings;
    ctx.navigator = &nav;
    ctx.services.prompts = &prompts;
  }
  const MessageBox& only() {
    EXPECT_EQ(prompts.shown.size(), 1u);
    return prompts.shown.back();
  }

  AppContext ctx;
  WizardSettings settings{&ctx.session};
  test::RecordingNavigator nav;
  test::ScriptedPrompts prompts;
};

TEST_F(BoxesTest, NoticeShowsTextUnchanged) {
  ctx.session.SettingsSent = kTrue;
  ShowNotice(ctx, QStringLiteral("a\r\nb"));
  const MessageBox& b = only();
  EXPECT_EQ(b.title, QStringLiteral("Notice"));
  EXPECT_EQ(b.text, QStringLiteral("a\r\nb"));
  EXPECT_EQ(b.icon, BoxIcon::Information);
  EXPECT_EQ(b.buttons, BoxButtons::Ok);
  EXPECT_EQ(ctx.session.SettingsSent, kTrue);
  EXPECT_EQ(ctx.session.JobErrorFlag, kFalse);
}

TEST_F(BoxesTest, SuccessSetsSettingsSentAfterTheBox) {
  Flag sentWhileShown = 1;
  prompts.onShow = [&](const MessageBox&) { sentWhileShown = ctx.session.SettingsSent; };
  ShowSuccess(ctx);
  const MessageBox& b = only();
  EXPECT_EQ(b.title, QStringLiteral("Process Successful"));
  EXPECT_EQ(b.text, QStringLiteral("Printer Setup Request Successfully Sent"));
  EXPECT_EQ(b.icon, BoxIcon::Information);
  EXPECT_EQ(sentWhileShown, kFalse);
  EXPECT_EQ(ctx.session.SettingsSent, kTrue);
}

TEST_F(BoxesTest, ConfigErrorWithFrontPanelMessage) {
  ctx.session.SettingsSent = kTrue;
  Flag errorWhileShown = 0, sentWhileShown = 0;
  prompts.onShow = [&](const MessageBox&) {
    errorWhileShown = ctx.session.JobErrorFlag;
    sentWhileShown = ctx.session.SettingsSent;
  };
  ShowConfigError(ctx, QStringLiteral("\tPAPER OUT\r\n\tLOAD MEDIA"));
  const MessageBox& b = only();
  EXPECT_EQ(b.title, QStringLiteral("Printer Error"));
  EXPECT_EQ(b.icon, BoxIcon::Stop);
  EXPECT_EQ(b.buttons, BoxButtons::Ok);
  EXPECT_EQ(b.text,
            QStringLiteral("ERROR!  Unable to Update Printer Settings.\r\n"
                           "An unexpected error occurred during printer configuration.\r\n"
                           "Printer Front Panel Message:\r\n"
                           "\tPAPER OUT\r\n\tLOAD MEDIA\r\n"
                           "\r\n"
                           "Operation cannot continue. The wizard will exit."));
  EXPECT_EQ(errorWhileShown, kTrue);
  EXPECT_EQ(sentWhileShown, kTrue);
  EXPECT_EQ(ctx.session.JobErrorFlag, kTrue);
  EXPECT_EQ(ctx.session.SettingsSent, kFalse);
  EXPECT_EQ(nav.closeAllCalls, 0);  // the runner decides when the program ends
}

TEST_F(BoxesTest, ConfigErrorWithoutFrontPanelMessage) {
  ShowConfigError(ctx, QString());
  EXPECT_EQ(only().text,
            QStringLiteral("ERROR!  Unable to Update Printer Settings.\r\n"
                           "An unexpected error occurred during printer configuration.\r\n"
                           "Please see the printer for the error condition.\r\n"
                           "\r\n"
                           "Operation cannot continue. The wizard will exit."));
  EXPECT_EQ(ctx.session.JobErrorFlag, kTrue);
}

TEST_F(BoxesTest, PrinterErrorExitFlag) {
  ShowPrinterError(ctx, QStringLiteral("No printer."), kFalse);
  EXPECT_EQ(only().text, QStringLiteral("No printer.\r\nOperation cannot continue."));
  EXPECT_EQ(only().title, QStringLiteral("Printer Error"));
  EXPECT_EQ(only().icon, BoxIcon::Stop);
  EXPECT_EQ(nav.closeAllCalls, 0);
  EXPECT_FALSE(ctx.exitStarted);

  int closedWhileShown = -1;
  prompts.onShow = [&](const MessageBox&) { closedWhileShown = nav.closeAllCalls; };
  ShowPrinterError(ctx, QStringLiteral("No printer."), kTrue);
  EXPECT_EQ(prompts.shown.back().text, QStringLiteral("No printer.\r\nThe wizard will exit."));
  EXPECT_EQ(closedWhileShown, 0);
  EXPECT_EQ(nav.closeAllCalls, 1);
}

TEST_F(BoxesTest, OverwriteDefaultsToNo) {
  EXPECT_EQ(ConfirmOverwrite(ctx), kFalse);  // Enter: the default button
  const MessageBox& b = only();
  EXPECT_EQ(b.title, QStringLiteral("File Exist Error"));
  EXPECT_EQ(b.text, QStringLiteral("Warning! Selected file currently exist\r\n"
                                   "Do you want to overwrite the file?"));
  EXPECT_EQ(b.icon, BoxIcon::Warning);
  EXPECT_EQ(b.buttons, BoxButtons::YesNo);
  EXPECT_EQ(b.defaultButton, BoxAnswer::No);
  prompts.answers = {BoxAnswer::Yes};
  EXPECT_EQ(ConfirmOverwrite(ctx), kTrue);
}

TEST_F(BoxesTest, ExitWithChangesYesOpensSaveBeforeExitDialog) {
  ctx.session.SettingsSelected = kTrue;
  prompts.answers = {BoxAnswer::Yes};
  EXPECT_EQ(ConfirmExitWithChanges(ctx), kTrue);
  const MessageBox& b = only();
  EXPECT_EQ(b.title, QStringLiteral("Leaving Wizard Without Saving Settings"));
  EXPECT_EQ(b.text, QStringLiteral("You are about to exit this wizard after making changes.\r\n"
                                   "Once you exit, all of your settings will be lost.\r\n"
                                   "Would you like to save your settings before you exit?"));
  EXPECT_EQ(b.icon, BoxIcon::Question);
  EXPECT_EQ(b.buttons, BoxButtons::YesNo);
  EXPECT_EQ(nav.dialogModes, std::vector<int>{2});
  EXPECT_EQ(ctx.session.SettingsSelected, kFalse);
}

TEST_F(BoxesTest, ExitWithChangesNoOpensNothing) {
  ctx.session.SettingsSelected = kTrue;
  prompts.answers = {BoxAnswer::No};
  EXPECT_EQ(ConfirmExitWithChanges(ctx), kFalse);
  EXPECT_TRUE(nav.dialogModes.empty());
  EXPECT_EQ(ctx.session.SettingsSelected, kFalse);
}

TEST_F(BoxesTest, ExitCautionAfterSuccessfulRunExitsWithoutQuestion) {
  ctx.session.SettingsSent = kTrue;
  ConfirmExitCaution(ctx);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(nav.closeAllCalls, 1);
}

TEST_F(BoxesTest, ExitCautionNoStaysAndYesExits) {
  ConfirmExitCaution(ctx);  // default button: No
  const MessageBox& b = only();
  EXPECT_EQ(b.title, QStringLiteral("Caution Exiting Wizard"));
  EXPECT_EQ(b.text, QStringLiteral("Printer setting is not complete. If you quit\r\n"
                                   "the wizard now, the printer will not be updated.\r\n"
                                   "Do you want to exit the wizard?"));
  EXPECT_EQ(b.icon, BoxIcon::Warning);
  EXPECT_EQ(b.defaultButton, BoxAnswer::No);
  EXPECT_EQ(ctx.session.ExitPromptAnswer, PromptAnswer::No);
  EXPECT_EQ(nav.closeAllCalls, 0);

  prompts.answers = {BoxAnswer::Yes};
  ConfirmExitCaution(ctx);
  EXPECT_EQ(ctx.session.ExitPromptAnswer, PromptAnswer::Yes);
  EXPECT_EQ(nav.closeAllCalls, 1);
}

// The real boxes: title, text lines, icon, buttons and default button on screen.
struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers the next modal box by pressing `press` (or Enter when NoButton).
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [&seen, press] {
    auto* mb = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(mb, nullptr);
    seen.title = mb->windowTitle();
    seen.text = mb->text();
    seen.icon = mb->icon();
    seen.buttons = mb->standardButtons();
    seen.defaultButton = mb->defaultButton() ? mb->standardButton(mb->defaultButton())
                                             : QMessageBox::NoButton;
    if (press == QMessageBox::NoButton) {
      mb->defaultButton()->click();
    } else {
      mb->button(press)->click();
    }
  });
}

TEST(QtPromptsTest, ShowsExactBoxAndReturnsAnswer) {
  test::ensureApp();
  QtPrompts prompts(QString::fromLatin1(AppTitle));
  SeenBox seen;
  MessageBox box;
  box.title = QStringLiteral("File Exist Error");
  box.text = QStringLiteral("line one\r\nline two");
  box.icon = BoxIcon::Warning;
  box.buttons = BoxButtons::YesNo;
  box.defaultButton = BoxAnswer::No;

  answerNextBox(seen, QMessageBox::NoButton);
  EXPECT_EQ(prompts.show(box), BoxAnswer::No);
  EXPECT_EQ(seen.title, QStringLiteral("File Exist Error"));
  EXPECT_EQ(seen.text, QStringLiteral("line one\nline two"));
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(seen.defaultButton, QMessageBox::No);

  answerNextBox(seen, QMessageBox::Yes);
  EXPECT_EQ(prompts.show(box), BoxAnswer::Yes);
}

TEST(QtPromptsTest, OkBoxAndDefaultTitle) {
  test::ensureApp();
  QtPrompts prompts(QString::fromLatin1(AppTitle));
  SeenBox seen;
  MessageBox box;
  box.text = QStringLiteral("x");
  box.icon = BoxIcon::Stop;
  answerNextBox(seen, QMessageBox::NoButton);
  EXPECT_EQ(prompts.show(box), BoxAnswer::Ok);
  EXPECT_EQ(seen.title, QString::fromLatin1(AppTitle));
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(seen.defaultButton, QMessageBox::Ok);
}

}  // namespace
}  // namespace tlw
