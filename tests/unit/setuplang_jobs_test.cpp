#include <gtest/gtest.h>


#include "core/state.h"
#include "core/settings.h"
#include "setuplang/jobs.h"

using namespace tlw;

namespace {

QByteArray lines(std::initializer_list<const char*> list) {
  QByteArray out;
  for (const char* l : list) out += QByteArray(l) + "\r\n";
  return out;
}

// Every Ignore box unchecked, page values of the worked example.
void selectWorkedExample(WizardSettings& s) {
  for (int i = 0; i < kIgnoreBoxCount; ++i) s.setIgnore(static_cast<IgnoreBox>(i), 0);
  s.setIndex(ListControl::MediaType, 0);
  s.setIndex(ListControl::LabelLength, 5);
  s.setIndex(ListControl::LabelWidth, 4);
  s.setIndex(ListControl::Orientation, 0);
  s.setIndex(ListControl::Dispense, 1);
  s.setIndex(ListControl::PrintSpeed, 6);
  s.setIndex(ListControl::Gap, 1);
  s.setHorzShift(10);
  s.setVertShift(-5);
}

}  // namespace

TEST(CfgJob, WorkedExampleIsSixteenLinesByteForByte) {
  SessionFlags session;
  WizardSettings s(&session);
  selectWorkedExample(s);
  const BuiltJob job = BuildCfgJob(s);
  ASSERT_FALSE(job.refused);
  EXPECT_EQ(job.text, lines({"!KVX_SETUP", "ENGINE-MODE;X", "ENGINE-LENGTH;06000:WIDTH;04000",
                             "ENGINE-MEDIA_HANDLING;1", "ENGINE-IMAGE_SHFT_H;100",
                             "ENGINE-IMAGE_SHFT_V;-50", "KVX_END", "!KVX_SETUP", "WINMODE-BEGIN",
                             "KVX_END", "~PAPER;ROTATE 0", "~PAPER;SPEED IPS 4",
                             "~PAPER;LABELS 2", "!KVX_SETUP", "WINMODE-END", "KVX_END"}));
}

TEST(CfgJob, PartialSelectionsShapeTheBlocks) {
  SessionFlags session;
  WizardSettings s(&session);
  EXPECT_TRUE(BuildCfgJob(s).text.isEmpty());  // nothing selected
  EXPECT_FALSE(BuildCfgJob(s).refused);

  s.setIgnore(IgnoreBox::PrintSpeed, 0);
  EXPECT_EQ(BuildCfgJob(s).text,
            lines({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;SPEED IPS 4", "!KVX_SETUP",
                   "WINMODE-END", "KVX_END"}));

  s.setIgnore(IgnoreBox::PrintSpeed, 1);
  s.setIgnore(IgnoreBox::Horz, 0);
  EXPECT_EQ(BuildCfgJob(s).text, lines({"!KVX_SETUP", "ENGINE-IMAGE_SHFT_H;0", "KVX_END"}));

  // A custom size goes out with its code exactly as stored.
  s.setIgnore(IgnoreBox::Horz, 1);
  s.setIgnore(IgnoreBox::MediaSize, 0);
  s.setIndex(ListControl::LabelLength,
             s.appendLength(QStringLiteral("5.3\" (134.6mm)"), QStringLiteral("05300")));
  s.setIndex(ListControl::LabelWidth,
             s.appendWidth(QStringLiteral("3.9\" (100.0mm)"), QStringLiteral("03937")));
  EXPECT_EQ(BuildCfgJob(s).text, lines({"!KVX_SETUP", "ENGINE-LENGTH;05300:WIDTH;03937", "KVX_END"}));
}

TEST(CfgJob, SelectedSettingWithoutAnEntryIsRefused) {
  SessionFlags session;
  WizardSettings s(&session);
  s.setIgnore(IgnoreBox::Dispense, 0);
  s.setIgnore(IgnoreBox::Orientation, 0);
  s.setIndex(ListControl::Orientation, -1);  // typed text
  const BuiltJob job = BuildCfgJob(s);
  EXPECT_TRUE(job.refused);
  EXPECT_TRUE(job.text.isEmpty());
  EXPECT_TRUE(job.problem.contains(QStringLiteral("Orientation")));

  // An ignored setting's selection does not matter.
  s.setIgnore(IgnoreBox::Orientation, 1);
  EXPECT_FALSE(BuildCfgJob(s).refused);
}

TEST(SmallJobs, EmulationLoadCalibrateSavePowerUpAndEmpty) {
  SessionFlags session;
  WizardSettings s(&session);
  s.setIgnore(IgnoreBox::Emulation, 0);
  s.setIndex(ListControl::Emulation, 1);  // KORU
  EXPECT_EQ(BuildEmuJob(s, 2, 0).text,
            lines({"!KVX_SETUP", "CONFIG-OVERLAY;2.", "guardsave   .e  0   0x0",
                   "hulswitch   .e  2   0x0", "CONFIG-OVERLAY;END.", "KVX_END"}));
  EXPECT_EQ(BuildEmuJob(s, 3, 1).text,
            lines({"!KVX_SETUP", "CONFIG-DOWNLOAD;3.", "guardsave   .e  0   0x0",
                   "hulswitch   .e  2   0x0", "CONFIG-DOWNLOAD;END.", "KVX_END"}));
  s.setIndex(ListControl::Emulation, -1);
  EXPECT_TRUE(BuildEmuJob(s, 2, 0).refused);

  EXPECT_EQ(BuildLoadCfgJob(2), lines({"!KVX_SETUP", "CONFIG-LOAD;2", "KVX_END"}));
  EXPECT_EQ(BuildCalibrateJob(), lines({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;CALIBRATE",
                                        "!KVX_SETUP", "WINMODE-END", "KVX_END"}));
  EXPECT_EQ(BuildSaveCfgJob(1), lines({"!KVX_SETUP", "CONFIG-SAVE;1", "KVX_END"}));
  EXPECT_EQ(BuildSaveCfgJob(0), lines({"!KVX_SETUP", "KVX_END"}));
  EXPECT_EQ(BuildSetPowerUpJob(0), lines({"!KVX_SETUP", "CONFIG-POWERUP;0", "KVX_END"}));
  EXPECT_EQ(BuildSetPowerUpJob(8), lines({"!KVX_SETUP", "CONFIG-POWERUP;8", "KVX_END"}));
  EXPECT_EQ(BuildSetPowerUpJob(-1), lines({"!KVX_SETUP", "KVX_END"}));
  EXPECT_EQ(BuildEmptyJob(), lines({"!KVX_SETUP", "KVX_END"}));
}
