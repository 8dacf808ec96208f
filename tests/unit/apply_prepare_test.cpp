#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tenlark-apply/apply_options.h"
#include "tenlark-apply/prepare.h"
#include "core/context.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "setuplang/jobs.h"
#include "setuplang/run_plan.h"

using namespace tlw;

namespace {

// The settings of the shipped demo file: emulation KORU, 4 in/sec, gap sensor,
// thermal transfer, label 4.0 wide and 6.0 long; the other settings ignored.
void demoSettings(WizardSettings& s) {
  s.resetToDefaults();
  s.setIgnore(IgnoreBox::MediaType, 0);
  s.setIndex(ListControl::MediaType, 0);
  s.setIgnore(IgnoreBox::MediaSize, 0);
  s.setIndex(ListControl::LabelLength, 5);
  s.setIndex(ListControl::LabelWidth, 4);
  s.setIgnore(IgnoreBox::PrintSpeed, 0);
  s.setIndex(ListControl::PrintSpeed, 6);
  s.setIgnore(IgnoreBox::Gap, 0);
  s.setIndex(ListControl::Gap, 1);
  s.setIgnore(IgnoreBox::Emulation, 0);
  s.setIndex(ListControl::Emulation, 1);
}

class Apply : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ctx.settings = &settings;
  }
  // Writes the settings `edit` makes into a file and returns its path.
  QString file(const std::function<void(WizardSettings&)>& edit) {
    SessionFlags st;
    WizardSettings s(&st);
    edit(s);
    const QString p = QDir(dir.path()).filePath(QStringLiteral("s%1.tlw").arg(++files));
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(EncodeWizardSettings(s));
    return p;
  }
  ApplyCheck prepare(QStringList args) {
    args.prepend(QStringLiteral("tenlark-apply"));
    const ParsedArguments parsed = ParseApplyArguments(args);
    EXPECT_EQ(parsed.outcome, ParseOutcome::Run) << parsed.text.toStdString();
    return PrepareApply(parsed.options, ctx);
  }

  QTemporaryDir dir;
  AppContext ctx;
  WizardSettings settings{&ctx.session};
  int files = 0;
};

}  // namespace

TEST(ApplySample, ShippedDemoFileHoldsTheDemoSettings) {
  SessionFlags session;
  WizardSettings s(&session);
  demoSettings(s);
  const QByteArray expected = EncodeWizardSettings(s);
  const QString path = QStringLiteral(TENLARK_SOURCE_DIR "/samples/demo.tlw");
  if (qEnvironmentVariableIsSet("TENLARK_WRITE_SAMPLES")) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(expected);
  }
  QFile in(path);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  EXPECT_EQ(in.readAll(), expected);
}

TEST_F(Apply, RunOrderAndNumbersOfAFullRun) {
  const QString demo = file(demoSettings);
  const ApplyCheck check =
      prepare({demo, "--dry-run", dir.path(), "--save", "3", "--power-up", "factory"});
  ASSERT_TRUE(check.ok);
  const RunPlan& plan = check.plan;
  const std::vector<const RunStep*> jobs = plan.sendingSteps();
  ASSERT_EQ(jobs.size(), 6u);
  const char* names[] = {"01-emulation.job", "02-load-config.job", "03-update.job",
                         "04-calibrate.job", "05-save.job",        "06-power-up.job"};
  const int waits[] = {10, 10, 5, 20, 5, 5};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(StepFileName(jobs[i]->kind), QLatin1String(names[i]));
    EXPECT_EQ(jobs[i]->firstWait, waits[i]);
  }
  EXPECT_TRUE(jobs[0]->job.contains("CONFIG-OVERLAY;3.\r\n"));
  EXPECT_EQ(jobs[1]->job, BuildLoadCfgJob(3));
  EXPECT_EQ(jobs[1]->statusLine,
            QStringLiteral("Requesting loading of configuration #3 to set active emulation."));
  EXPECT_EQ(jobs[2]->job, BuildCfgJob(settings).text);
  EXPECT_EQ(jobs[4]->job, BuildSaveCfgJob(3));
  EXPECT_EQ(jobs[5]->job, BuildSetPowerUpJob(0));
}

TEST_F(Apply, OnlyTheJobsTheRunWouldSend) {
  const QString speedOnly = file([](WizardSettings& s) { s.setIgnore(IgnoreBox::PrintSpeed, 0); });
  const ApplyCheck check = prepare({speedOnly, "--dry-run", dir.path(), "--old-emulation-cmd"});
  ASSERT_TRUE(check.ok);
  const std::vector<const RunStep*> jobs = check.plan.sendingSteps();
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(StepFileName(jobs[0]->kind), QStringLiteral("03-update.job"));
  // The steps that send nothing still move the meter as a full run does.
  std::vector<int> meter;
  for (const RunStep& s : check.plan.steps) meter.push_back(s.progressBefore);
  EXPECT_EQ(meter, (std::vector<int>{30, 40, 60, 80}));
}

TEST_F(Apply, FinishPageRulesRefuseWithTheirTexts) {
  const QString none = file([](WizardSettings&) {});
  EXPECT_EQ(prepare({none, "--dry-run", dir.path()}).message,
            QStringLiteral("No settings selected. Please select a setting to change or press cancel to exit"));

  const QString demo = file(demoSettings);
  EXPECT_EQ(prepare({demo, "--dry-run", dir.path()}).message,
            QStringLiteral("Changing the active emulation requires you to save the configuration.\r\n"
                           "Please select a configuration number to hold this change."));
  // Outside a dry run the questions need --yes.
  EXPECT_TRUE(prepare({demo, "--save", "1"}).message.startsWith(
      QStringLiteral("Warning! One or more of the settings you specified require calibration")));
  const QString orientation = file([](WizardSettings& s) { s.setIgnore(IgnoreBox::Orientation, 0); });
  EXPECT_EQ(prepare({orientation, "--save", "1"}).message,
            QStringLiteral("Warning! You may overwrite a previously saved configuration.\r\n"
                           "Are you sure you want to continue?"));
  EXPECT_TRUE(prepare({demo, "--save", "1", "--yes"}).ok);

  const QString wide = file([](WizardSettings& s) {
    s.setIgnore(IgnoreBox::MediaSize, 0);
    s.setIndex(ListControl::LabelWidth, s.appendWidth(QStringLiteral("6.0\" (152.4mm)"),
                                                      QStringLiteral("06000")));
  });
  EXPECT_TRUE(prepare({wide, "--dry-run", dir.path()}).ok);  // width class unknown
  EXPECT_EQ(prepare({wide, "--dry-run", dir.path(), "--width-class", "4"}).message,
            QStringLiteral("Invalid media size selected or media size entered manually.\r\n"
                           "Please use the drop down menu or Customize button to specify the media size"));

  // A pick-only list with no entry selected cannot come from a settings file: the
  // file is refused before anything is planned.
  const QString typed = file([](WizardSettings& s) {
    s.setIgnore(IgnoreBox::Gap, 0);
    s.setIndex(ListControl::Gap, -1);
  });
  const ApplyCheck check = prepare({typed, "--dry-run", dir.path()});
  EXPECT_FALSE(check.ok);
  EXPECT_TRUE(check.message.contains(QStringLiteral("Incompatible File Type Detected")))
      << check.message.toStdString();
}

TEST(ApplyArguments, ValuesAreCheckedAndHelpAndVersionAnswer) {
  auto parse = [](QStringList args) {
    args.prepend(QStringLiteral("tenlark-apply"));
    return ParseApplyArguments(args);
  };
  EXPECT_EQ(parse({"a.tlw", "--save", "9"}).outcome, ParseOutcome::Error);
  EXPECT_EQ(parse({"a.tlw", "--save", "0"}).outcome, ParseOutcome::Error);
  EXPECT_EQ(parse({"a.tlw", "--power-up", "9"}).outcome, ParseOutcome::Error);
  EXPECT_EQ(parse({"a.tlw", "--width-class", "5"}).outcome, ParseOutcome::Error);
  EXPECT_EQ(parse({}).outcome, ParseOutcome::Error);
  EXPECT_EQ(parse({"a.tlw", "b.tlw"}).outcome, ParseOutcome::Error);
  EXPECT_EQ(parse({"a.tlw", "--bogus"}).outcome, ParseOutcome::Error);
  EXPECT_EQ(parse({"-h"}).outcome, ParseOutcome::Help);
  EXPECT_EQ(parse({"--version"}).outcome, ParseOutcome::Version);

  const ParsedArguments ok =
      parse({"-p", "q1", "--printer", "q2", "--power-up", "Factory", "--save", "8", "a.tlw"});
  ASSERT_EQ(ok.outcome, ParseOutcome::Run);
  EXPECT_EQ(ok.options.printers, QStringList({"q1", "q2"}));
  EXPECT_TRUE(ok.options.powerUpRequested);
  EXPECT_EQ(ok.options.powerUpNumber, 0);
  EXPECT_EQ(ok.options.saveNumber, 8);
  EXPECT_FALSE(ok.options.dryRun);
}
