#include <gtest/gtest.h>

#include "core/context.h"
#include "core/exit.h"
#include "core/settings.h"
#include "support/recording_navigator.h"
#include "support/scripted_prompts.h"
#include "support/virtual_clock.h"

namespace tlw {
namespace {

class ExitWizardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.settings = &settings;
    ctx.navigator = &nav;
    ctx.services.prompts = &prompts;
    ctx.services.processes = &processes;
    ctx.services.clock = &clock;
  }
  void selectSomething() { settings.setIgnore(IgnoreBox::Gap, 0); }

  AppContext ctx;
  WizardSettings settings{&ctx.session};
  test::RecordingNavigator nav;
  test::ScriptedPrompts prompts;
  test::RecordingProcesses processes;
  test::VirtualClock clock;
};

TEST_F(ExitWizardTest, NothingSelectedClosesWithoutPromptOrTool) {
  ExitWizard(ctx);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(nav.closeAllCalls, 1);
  EXPECT_TRUE(processes.detached.empty());
  EXPECT_TRUE(ctx.exitStarted);
}

TEST_F(ExitWizardTest, CdModeStartsToolHiddenOnceWithMaxAndArgument) {
  ctx.options.CdMenuMode = kTrue;
  ctx.options.CdMenuArg = QStringLiteral(" 1234");
  ExitWizard(ctx);
  ExitWizard(ctx);  // a later call (a window closing, the runner) changes nothing
  ASSERT_EQ(processes.detached.size(), 1u);
  EXPECT_EQ(processes.detached[0].commandLine, QStringLiteral("MaxMin.exe max  1234"));
  EXPECT_TRUE(processes.detached[0].hidden);
  EXPECT_EQ(nav.closeAllCalls, 1);
}

TEST_F(ExitWizardTest, UnsavedChangesYesOpensSaveDialogAndKeepsProgramOpen) {
  ctx.options.CdMenuMode = kTrue;
  selectSomething();
  prompts.answers = {BoxAnswer::Yes};
  ExitWizard(ctx);
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].title, QStringLiteral("Leaving Wizard Without Saving Settings"));
  EXPECT_EQ(nav.dialogModes, std::vector<int>{2});
  EXPECT_EQ(nav.closeAllCalls, 0);
  EXPECT_TRUE(processes.detached.empty());
  EXPECT_FALSE(ctx.exitStarted);

  // The operator closes the save dialog and exits again, this time answering No.
  prompts.answers = {BoxAnswer::No};
  ExitWizard(ctx);
  EXPECT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(nav.closeAllCalls, 1);
  EXPECT_EQ(processes.detached.size(), 1u);
}

TEST_F(ExitWizardTest, UnsavedChangesNoClosesOnce) {
  selectSomething();
  prompts.answers = {BoxAnswer::No};
  ExitWizard(ctx);
  EXPECT_EQ(prompts.shown.size(), 1u);
  EXPECT_TRUE(nav.dialogModes.empty());
  EXPECT_EQ(nav.closeAllCalls, 1);
}

TEST_F(ExitWizardTest, SettingsSavedToFileSkipsPrompt) {
  selectSomething();
  ctx.session.SettingsSavedToFile = kTrue;
  ExitWizard(ctx);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(nav.closeAllCalls, 1);
}

TEST_F(ExitWizardTest, SelectionIsWorkedOutAfreshFromTheBoxes) {
  // A stale SettingsSelected does not cause a prompt when every box is checked.
  ctx.session.SettingsSelected = kTrue;
  ExitWizard(ctx);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(nav.closeAllCalls, 1);
}

TEST_F(ExitWizardTest, ExitFromAWindowClosingDuringTheExitRunsNothingTwice) {
  ctx.options.CdMenuMode = kTrue;
  nav.onCloseAll = [this] { ExitWizard(ctx); };
  ExitWizard(ctx);
  EXPECT_EQ(nav.closeAllCalls, 1);
  EXPECT_EQ(processes.detached.size(), 1u);
}

}  // namespace
}  // namespace tlw
