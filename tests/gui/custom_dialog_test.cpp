// The custom form dimensions dialog: inch/mm conversion, the limits in their order,
// the adjusted-values notice with its second OK, and what lands in page 1's lists.
#include <gtest/gtest.h>

#include <tuple>

#include "wizard_walk.h"

namespace tlw::test {
namespace {

const QString kAdjusted = QStringLiteral(
    "Allowable Form Dimension(s) Exceeded!\r\n"
    "The dimension(s) have been changed to reflect the minimum/maximum allowable");

struct CustomWalk : Walk {
  // Page 1 with the size to be sent, the dialog open.
  void open() {
    toPage1();
    setBox(FormId::Operation, "MediaSizeCB", false);
    ASSERT_TRUE(click(FormId::Operation, "CustomizeMedia"));
    ASSERT_TRUE(visible(FormId::CustomDialog));
    EXPECT_TRUE(visible(FormId::Operation));  // stays visible underneath
  }
  void type(const char* box, const QString& text) { edit(FormId::CustomDialog, box)->setText(text); }
  QString shown(const char* box) { return edit(FormId::CustomDialog, box)->text(); }
  bool ok() { return click(FormId::CustomDialog, "OKButton"); }
  QString widthShown() { return combo(FormId::Operation, "LabelWidthCombo")->currentText(); }
  QString lengthShown() { return combo(FormId::Operation, "LabelLengthCombo")->currentText(); }
};

TEST(CustomDialog, TextsAndEmptyBoxes) {
  CustomWalk w;
  w.open();
  const FormId d = FormId::CustomDialog;
  EXPECT_EQ(w.shell->find(d)->windowTitle(), "Custom Form Definition");
  EXPECT_EQ(w.labelText(d, "Title"), "Custom Form Definition");
  EXPECT_EQ(w.labelText(d, "Subtitle"), "Enter the custom form dimensions");
  EXPECT_EQ(w.labelText(d, "Instruction"),
            "Enter in the dimension(s) you which to support. You can enter in new dimensions for "
            "either the width, length, or both.");
  EXPECT_EQ(w.labelText(d, "WidthLabel"), "Width:");
  EXPECT_EQ(w.labelText(d, "LengthLabel"), "Length:");
  for (const char* b : {"WidthValueInch", "WidthValueMM", "HeightValueInch", "HeightValueMM"})
    EXPECT_EQ(w.shown(b), "") << b;
}

TEST(CustomDialog, TooWideForTheClassIsCutAndAddedOnTheSecondOK) {
  CustomWalk w;
  w.ctx.printer.PrintWidthClass = 4;
  w.open();
  w.type("WidthValueInch", "4.5");
  ASSERT_TRUE(w.ok());
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].title, "Notice");
  EXPECT_EQ(w.prompts.shown[0].text, kAdjusted);
  EXPECT_TRUE(w.visible(FormId::CustomDialog));
  EXPECT_EQ(w.shown("WidthValueInch"), "4.1");
  EXPECT_EQ(w.shown("WidthValueMM"), "104.14");
  EXPECT_EQ(w.combo(FormId::Operation, "LabelWidthCombo")->count(), 5);  // nothing added yet

  // The length boxes now show the stored length (0), so the next OK takes the
  // length as given, and 0 is below the shortest length.
  EXPECT_EQ(w.shown("HeightValueInch"), "0");
  EXPECT_EQ(w.shown("HeightValueMM"), "0");
  ASSERT_TRUE(w.ok());
  ASSERT_EQ(w.prompts.shown.size(), 2u);  // the length 0 is raised to 0.25
  EXPECT_EQ(w.shown("HeightValueInch"), "0.25");
  EXPECT_EQ(w.shown("HeightValueMM"), "6.35");
  ASSERT_TRUE(w.ok());
  EXPECT_EQ(w.prompts.shown.size(), 2u);
  EXPECT_FALSE(w.shell->isLoaded(FormId::CustomDialog));
  EXPECT_EQ(w.widthShown(), "4.1\" (104.1mm)");
  EXPECT_EQ(w.settings.labelWidthValues().value(5), "04100");
  EXPECT_EQ(w.settings.index(ListControl::LabelWidth), 5);
  // 0.25 is exact and rounds up; 6.35 held in 32 bits is a little below 6.35.
  EXPECT_EQ(w.lengthShown(), "0.3\" (6.3mm)");
  EXPECT_EQ(w.settings.labelLengthValues().value(7), "00250");
  // 4.1 inches passes the size check of a 4-inch printer.
  ASSERT_TRUE(w.click(FormId::Operation, "Next"));
  EXPECT_TRUE(w.visible(FormId::PrinterSetup));
}

TEST(CustomDialog, MillimetresAreConvertedAndTheInchBoxWins) {
  CustomWalk w;
  w.ctx.printer.PrintWidthClass = 4;
  w.open();
  w.type("WidthValueMM", "100");
  w.type("HeightValueInch", "5");
  w.type("HeightValueMM", "999");  // ignored: the inch box holds text
  ASSERT_TRUE(w.ok());
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_FALSE(w.shell->isLoaded(FormId::CustomDialog));
  EXPECT_EQ(w.widthShown(), "3.9\" (100.0mm)");
  EXPECT_EQ(w.settings.labelWidthValues().value(5), "03937");
  EXPECT_EQ(w.lengthShown(), "5.0\" (127.0mm)");
  EXPECT_EQ(w.settings.labelLengthValues().value(7), "05000");
  EXPECT_FLOAT_EQ(CustomDialog::stored().CustomWidthInch, 100.0f / 25.4f);
  EXPECT_FLOAT_EQ(CustomDialog::stored().CustomLengthMM, 127.0f);
}

TEST(CustomDialog, BoxesShowTheConvertedValues) {
  // Seen through an adjustment, which keeps the dialog open.
  CustomWalk w;
  w.ctx.printer.PrintWidthClass = 4;
  w.open();
  w.type("WidthValueMM", "100");
  w.type("HeightValueInch", "120");
  ASSERT_TRUE(w.ok());
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.shown("WidthValueInch"), "3.937008");
  EXPECT_EQ(w.shown("WidthValueMM"), "100");
  EXPECT_EQ(w.shown("HeightValueInch"), "99");
  EXPECT_EQ(w.shown("HeightValueMM"), "2514.6");
}

TEST(CustomDialog, ExistingSizesAreSelectedNotAdded) {
  CustomWalk w;
  w.open();
  w.type("WidthValueInch", "2.5");
  w.type("HeightValueMM", "101.6");
  ASSERT_TRUE(w.ok());
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_EQ(w.combo(FormId::Operation, "LabelWidthCombo")->count(), 5);
  EXPECT_EQ(w.combo(FormId::Operation, "LabelLengthCombo")->count(), 7);
  EXPECT_EQ(w.settings.index(ListControl::LabelWidth), 2);
  EXPECT_EQ(w.settings.index(ListControl::LabelLength), 4);

  // A custom size entered twice is added once.
  ASSERT_TRUE(w.click(FormId::Operation, "CustomizeMedia"));
  EXPECT_EQ(w.shown("WidthValueInch"), "");  // a fresh dialog each time
  w.type("WidthValueInch", "3.25");
  ASSERT_TRUE(w.ok());
  ASSERT_TRUE(w.click(FormId::Operation, "CustomizeMedia"));
  w.type("WidthValueInch", "3.25");
  ASSERT_TRUE(w.ok());
  EXPECT_EQ(w.combo(FormId::Operation, "LabelWidthCombo")->count(), 6);
  EXPECT_EQ(w.widthShown(), "3.3\" (82.6mm)");
  EXPECT_EQ(w.settings.labelWidthValues().value(5), "03250");
}

TEST(CustomDialog, LengthLimits) {
  CustomWalk w;
  w.open();
  w.type("HeightValueInch", "99.005");
  ASSERT_TRUE(w.ok());
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_EQ(w.lengthShown(), "99.0\" (2514.7mm)");
  EXPECT_EQ(w.settings.labelLengthValues().value(7), "99005");

  ASSERT_TRUE(w.click(FormId::Operation, "CustomizeMedia"));
  w.type("HeightValueInch", "120");
  ASSERT_TRUE(w.ok());
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].text, kAdjusted);
  // The width boxes show the stored width 0, which the next OK raises to 0.8.
  ASSERT_TRUE(w.ok());
  ASSERT_EQ(w.prompts.shown.size(), 2u);
  EXPECT_EQ(w.shown("WidthValueInch"), "0.8");
  ASSERT_TRUE(w.ok());
  EXPECT_EQ(w.prompts.shown.size(), 2u);
  EXPECT_EQ(w.settings.labelLengthValues().value(8), "99000");
  EXPECT_EQ(w.widthShown(), "0.8\" (20.3mm)");
  EXPECT_EQ(w.lengthShown(), "99.0\" (2514.6mm)");
}

TEST(CustomDialog, NarrowWidthIsRaisedAndAnUnknownClassBecomesFour) {
  CustomWalk w;
  w.open();
  w.ctx.printer.PrintWidthClass = 0;  // a driver name without a width
  w.type("WidthValueInch", "0.5");
  w.type("HeightValueInch", "2");
  ASSERT_TRUE(w.ok());
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.shown("WidthValueInch"), "0.8");
  EXPECT_EQ(w.shown("WidthValueMM"), "20.32");
  EXPECT_EQ(w.ctx.printer.PrintWidthClass, 4);

  // With the class now 4, 6 inches is cut to 4.1 as well.
  w.type("WidthValueInch", "6");
  ASSERT_TRUE(w.ok());
  EXPECT_EQ(w.shown("WidthValueInch"), "4.1");
}

TEST(CustomDialog, WiderClassesHaveTheirOwnLimit) {
  CustomWalk w;
  w.open();
  w.ctx.printer.PrintWidthClass = 6;
  w.type("WidthValueInch", "7");
  ASSERT_TRUE(w.ok());
  EXPECT_EQ(w.shown("WidthValueInch"), "6.1");
  EXPECT_EQ(w.shown("WidthValueMM"), "154.94");
  w.ctx.printer.PrintWidthClass = 8;
  w.type("WidthValueInch", "9");
  ASSERT_TRUE(w.ok());
  EXPECT_EQ(w.shown("WidthValueInch"), "8.1");
  EXPECT_EQ(w.shown("WidthValueMM"), "205.74");
}

// The largest width of each class, once set, is accepted by the next OK (8.1 held
// in 32 bits is a little above 8.1; it must not be cut again and again).
TEST(CustomDialog, LargestWidthOfEveryClassIsAddedAfterTheNotice) {
  for (const auto& [cls, typed, code] : {std::tuple{4, "5", "04100"}, std::tuple{6, "7", "06100"},
                                         std::tuple{8, "9", "08100"}}) {
    SCOPED_TRACE(cls);
    CustomWalk w;
    w.open();
    w.ctx.printer.PrintWidthClass = static_cast<std::int16_t>(cls);
    w.type("WidthValueInch", typed);
    w.type("HeightValueInch", "2");  // a valid length, so only the width is adjusted
    ASSERT_TRUE(w.ok());
    ASSERT_EQ(w.prompts.shown.size(), 1u);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.prompts.shown.size(), 1u);
    EXPECT_FALSE(w.shell->isLoaded(FormId::CustomDialog));
    EXPECT_EQ(w.settings.labelWidthValues().value(5), code);
  }
}

TEST(CustomDialog, AllBoxesEmptyAddsNothingAndCloses) {
  CustomWalk w;
  w.open();
  ASSERT_TRUE(w.ok());
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_FALSE(w.shell->isLoaded(FormId::CustomDialog));
  EXPECT_EQ(w.combo(FormId::Operation, "LabelWidthCombo")->count(), 5);
  EXPECT_EQ(w.combo(FormId::Operation, "LabelLengthCombo")->count(), 7);
  EXPECT_TRUE(w.visible(FormId::Operation));
}

TEST(CustomDialog, TextThatIsNoNumberIsRefused) {
  CustomWalk w;
  w.open();
  for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("4,5"), QStringLiteral("1e999"),
                             QStringLiteral("nan"), QStringLiteral("4.5in")}) {
    w.prompts.shown.clear();
    w.type("WidthValueInch", bad);
    w.type("HeightValueInch", "3");
    ASSERT_TRUE(w.ok());
    ASSERT_EQ(w.prompts.shown.size(), 1u) << bad.toStdString();
    EXPECT_EQ(w.prompts.shown[0].text, "Please enter a number.");
    EXPECT_TRUE(w.visible(FormId::CustomDialog));
    EXPECT_EQ(w.shown("WidthValueInch"), bad);  // left for the operator to correct
  }
  // Nothing was stored or added meanwhile, also not the valid length.
  EXPECT_EQ(CustomDialog::stored().CustomLengthInch, 0.0f);
  EXPECT_EQ(w.combo(FormId::Operation, "LabelLengthCombo")->count(), 7);
  w.type("WidthValueInch", " 3.5 ");
  ASSERT_TRUE(w.ok());
  EXPECT_EQ(w.widthShown(), "3.5\" (88.9mm)");
  EXPECT_EQ(w.lengthShown(), "3.0\" (76.2mm)");  // the built-in entry
}

TEST(CustomDialog, CancelChangesNothingAndCloseBoxEnds) {
  CustomWalk w;
  w.open();
  w.type("WidthValueInch", "3.5");
  ASSERT_TRUE(w.click(FormId::CustomDialog, "CancelButton"));
  EXPECT_FALSE(w.shell->isLoaded(FormId::CustomDialog));
  EXPECT_EQ(w.combo(FormId::Operation, "LabelWidthCombo")->count(), 5);
  EXPECT_EQ(CustomDialog::stored().CustomWidthInch, 0.0f);

  ASSERT_TRUE(w.click(FormId::Operation, "CustomizeMedia"));
  w.prompts.answers = {BoxAnswer::No};  // leave without saving
  w.shell->find(FormId::CustomDialog)->close();
  EXPECT_EQ(w.programEnded, 1);
  EXPECT_TRUE(w.shell->loadedForms().empty());
}

TEST(CustomDialog, AnEntryThatReadsLikeAnotherKeepsItsOwnCode) {
  // 63.52 mm is 2.501 inches: a new size whose text reads like the built-in 2.5.
  CustomWalk w;
  w.open();
  w.type("WidthValueMM", "63.52");
  ASSERT_TRUE(w.ok());
  QComboBox* width = w.combo(FormId::Operation, "LabelWidthCombo");
  ASSERT_EQ(width->count(), 6);
  EXPECT_EQ(width->itemText(5), width->itemText(2));
  EXPECT_EQ(w.settings.index(ListControl::LabelWidth), 5);

  // The operator picks the built-in entry and then the new one from the list.
  width->setCurrentIndex(2);
  EXPECT_EQ(w.settings.index(ListControl::LabelWidth), 2);
  width->setCurrentIndex(5);
  EXPECT_EQ(w.settings.index(ListControl::LabelWidth), 5);
  EXPECT_EQ(w.settings.labelWidthValues().value(5), "02501");
}

TEST(CustomDialog, NumberFormats) {
  EXPECT_EQ(CustomDialog::boxText(4.5f), "4.5");
  EXPECT_EQ(CustomDialog::boxText(114.3f), "114.3");
  EXPECT_EQ(CustomDialog::boxText(0.0f), "0");
  EXPECT_EQ(SizeCode(4.5f), "04500");
  EXPECT_EQ(SizeCode(0.0625f), "00063");  // 62.5 rounds up
  EXPECT_EQ(CustomDialog::oneDecimal(0.25), "0.3");
  EXPECT_EQ(CustomDialog::oneDecimal(104.14), "104.1");
  EXPECT_EQ(CustomDialog::oneDecimal(2514.65), "2514.7");
}

}  // namespace
}  // namespace tlw::test
