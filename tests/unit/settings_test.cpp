#include <gtest/gtest.h>

#include "core/state.h"
#include "core/settings.h"

using namespace tlw;

TEST(SettingsTables, ListTextsAndCommandsAreExact) {
  EXPECT_EQ(optionTexts(ListControl::LabelLength).at(0), QStringLiteral("1.0\" (25.4mm)"));
  EXPECT_EQ(optionTexts(ListControl::LabelLength).at(6), QStringLiteral("8.0\" (203.2mm)"));
  EXPECT_EQ(optionTexts(ListControl::LabelWidth).at(4), QStringLiteral("4.0\" (101.6mm)"));
  EXPECT_EQ(optionTexts(ListControl::LabelWidth).size(), WidthListLast + 1);
  EXPECT_EQ(optionTexts(ListControl::PrintSpeed).at(5), QStringLiteral("5 in/sec (127 mm/sec)"));
  EXPECT_EQ(optionTexts(ListControl::Gap).at(0), QStringLiteral("None (Continuous Media)"));

  // Media handling skips 2, the sensors swap 1 and 2, the emulations skip 3.
  EXPECT_EQ(optionCommand(ListControl::Dispense, 2), QByteArray("ENGINE-MEDIA_HANDLING;3\r\n"));
  EXPECT_EQ(optionCommand(ListControl::Gap, 1), QByteArray("~PAPER;LABELS 2\r\n"));
  EXPECT_EQ(optionCommand(ListControl::Gap, 2), QByteArray("~PAPER;LABELS 1\r\n"));
  EXPECT_EQ(optionCommand(ListControl::Emulation, 2), QByteArray("hulswitch   .e  4   0x0\r\n"));
  EXPECT_EQ(optionCommand(ListControl::Orientation, 3), QByteArray("~PAPER;ROTATE 270\r\n"));
  EXPECT_EQ(optionCommand(ListControl::PrintSpeed, 0), QByteArray("~PAPER;SPEED IPS 10\r\n"));
  EXPECT_TRUE(optionCommand(ListControl::Gap, -1).isEmpty());
  EXPECT_TRUE(optionCommand(ListControl::Gap, 3).isEmpty());
}

TEST(WizardSettingsRecord, FreshRecordHoldsTheDefaultsWithEveryBoxChecked) {
  SessionFlags session;
  WizardSettings s(&session);
  for (int i = 0; i < kIgnoreBoxCount; ++i) EXPECT_EQ(s.ignore(static_cast<IgnoreBox>(i)), 1);
  EXPECT_EQ(s.index(ListControl::LabelLength), 5);
  EXPECT_EQ(s.index(ListControl::LabelWidth), 4);
  EXPECT_EQ(s.index(ListControl::Dispense), 1);
  EXPECT_EQ(s.index(ListControl::PrintSpeed), 6);
  EXPECT_EQ(s.index(ListControl::Gap), 1);
  EXPECT_EQ(s.labelLengthValues().at(5), QStringLiteral("06000"));
}

TEST(WizardSettingsRecord, IgnoreRuleResetsOnCheckAndClearsSavedFlagOnUncheck) {
  SessionFlags session;
  WizardSettings s(&session);
  session.SettingsSavedToFile = kTrue;
  s.setIgnore(IgnoreBox::MediaSize, 0);
  EXPECT_EQ(session.SettingsSavedToFile, kFalse);

  const int custom = s.appendWidth(QStringLiteral("4.1\" (104.1mm)"), QStringLiteral("04100"));
  s.setIndex(ListControl::LabelWidth, custom);
  s.setIndex(ListControl::LabelLength, 0);
  session.SettingsSavedToFile = kTrue;
  s.setIgnore(IgnoreBox::MediaSize, 1);
  EXPECT_EQ(session.SettingsSavedToFile, kTrue);  // checking leaves the flag alone
  EXPECT_EQ(s.index(ListControl::LabelWidth), 4);
  EXPECT_EQ(s.index(ListControl::LabelLength), 5);
  EXPECT_EQ(s.count(ListControl::LabelWidth), 6);  // the custom entry stays

  s.setIgnore(IgnoreBox::Horz, 0);
  s.setHorzShift(250);  // beyond the scroll range
  EXPECT_EQ(s.horzShift(), 100);
  s.setIgnore(IgnoreBox::Horz, 1);
  EXPECT_EQ(s.horzShift(), 0);

  s.setIndex(ListControl::Orientation, 9);  // not in the list: nothing selected
  EXPECT_EQ(s.index(ListControl::Orientation), -1);
}

TEST(CollectSettingStateTest, CalibrationFollowsPrintModeSizeAndGapOnly) {
  SessionFlags session;
  RunRequest request;
  WizardSettings s(&session);
  CollectSettingState(s, session, request);
  EXPECT_EQ(session.SettingsSelected, kFalse);
  EXPECT_EQ(request.CalibrationNeeded, kFalse);

  s.setIgnore(IgnoreBox::Orientation, 0);
  CollectSettingState(s, session, request);
  EXPECT_EQ(session.SettingsSelected, kTrue);
  EXPECT_EQ(request.CalibrationNeeded, kFalse);

  s.setIgnore(IgnoreBox::Orientation, 1);
  s.setIgnore(IgnoreBox::Gap, 0);
  CollectSettingState(s, session, request);
  EXPECT_EQ(session.SettingsSelected, kTrue);
  EXPECT_EQ(request.CalibrationNeeded, kTrue);
}

TEST(DriverNames, ModelAndWidthClass) {
  EXPECT_TRUE(IsZovModelDriver(QStringLiteral("Tenlark Zov 5820-K35 6in")));
  EXPECT_TRUE(IsZovModelDriver(QStringLiteral("Zov5820-K35")));
  EXPECT_FALSE(IsZovModelDriver(QStringLiteral("zov 5820-k35")));

  EXPECT_EQ(WidthClassFromDriverName(QStringLiteral("Zov 5820-K35"), 0), 4);
  EXPECT_EQ(WidthClassFromDriverName(QStringLiteral("Zov 08 06"), 0), 8);
  EXPECT_EQ(WidthClassFromDriverName(QStringLiteral("Other 08"), 6), 6);
  EXPECT_EQ(WidthClassFromDriverName(QStringLiteral("Zov plain"), 6), 6);
}

TEST(ValidateMediaSizeTest, WidthAgainstTheWidthClass) {
  SessionFlags session;
  WizardSettings s(&session);
  s.setIgnore(IgnoreBox::MediaSize, 0);
  const int wide = s.appendWidth(QStringLiteral("6.0\" (152.4mm)"), QStringLiteral("06000"));
  const int edge = s.appendWidth(QStringLiteral("4.1\" (104.1mm)"), QStringLiteral("04100"));

  s.setIndex(ListControl::LabelWidth, wide);
  EXPECT_TRUE(ValidateMediaSize(s, 0));  // class unknown: anything passes
  EXPECT_FALSE(ValidateMediaSize(s, 4));
  s.setIndex(ListControl::LabelWidth, edge);
  EXPECT_TRUE(ValidateMediaSize(s, 4));
  s.setIndex(ListControl::LabelWidth, 4);
  EXPECT_TRUE(ValidateMediaSize(s, 4));

  // Typed text in a size list: both lists go back to their defaults and it fails.
  s.setIndex(ListControl::LabelWidth, -1);
  s.setIndex(ListControl::LabelLength, 0);
  EXPECT_FALSE(ValidateMediaSize(s, 4));
  EXPECT_EQ(s.index(ListControl::LabelWidth), 4);
  EXPECT_EQ(s.index(ListControl::LabelLength), 5);
}

TEST(SizeMatching, FindsCodesByRoundedThousandths) {
  SessionFlags session;
  WizardSettings s(&session);
  EXPECT_EQ(s.labelWidthExist(2.5f), 2);
  EXPECT_EQ(s.labelLengthExist(8.0f), 6);
  EXPECT_EQ(s.labelWidthExist(3.9370079f), -1);
  s.appendWidth(QStringLiteral("3.9\" (100.0mm)"), QStringLiteral("03937"));
  EXPECT_EQ(s.labelWidthExist(3.9370079f), 5);
}
