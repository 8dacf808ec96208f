#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "core/context.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "support/scripted_prompts.h"

using namespace tlw;

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ctx.settings = &settings;
    ctx.services.prompts = &prompts;
  }
  QString path(const char* name) const { return QDir(dir.path()).filePath(QLatin1String(name)); }
  static QByteArray read(const QString& p) {
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static void write(const QString& p, const QByteArray& bytes) {
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  QTemporaryDir dir;
  AppContext ctx;
  WizardSettings settings{&ctx.session};
  test::ScriptedPrompts prompts;
};

// Little-endian typed values, as the file holds them.
QByteArray i16(int v) {
  QByteArray b("\x02\x00", 2);
  b += char(v & 0xFF);
  b += char((v >> 8) & 0xFF);
  return b;
}
QByteArray txt(const QByteArray& t) {
  QByteArray b("\x08\x00", 2);
  b += char(t.size() & 0xFF);
  b += char(t.size() >> 8);
  return b + t;
}

// A file without custom sizes, value by value; `patch` may change one value.
QByteArray plainFile(const std::function<void(int value, QByteArray& bytes)>& patch = {}) {
  const int values[] = {0, 1, 1, 0, 0, 2, 3, 1, 1, 0, 0, 1, 6, 0, 1, 0, 5, 1, 0, 0, 3};
  QByteArray out = txt("V1.0");
  for (int i = 0; i < 21; ++i) {
    QByteArray v = i16(values[i]);
    // Numbered as in the file layout: 2 to 6, then 9 to 24 (7 and 8 are the custom pairs).
    if (patch) patch(i < 5 ? i + 2 : i + 4, v);
    out += v;
  }
  return out;
}

}  // namespace

TEST_F(SettingsFile, PlainFileIsNinetyTwoBytesAndStartsWithTheMark) {
  settings.setIgnore(IgnoreBox::Vert, 0);
  settings.setVertShift(-5);
  ctx.session.SettingsSelected = kTrue;
  ASSERT_TRUE(SaveWizardSettings(ctx, path("a.tlw")));
  const QByteArray bytes = read(path("a.tlw"));
  ASSERT_EQ(bytes.size(), 92);
  EXPECT_EQ(bytes.left(8), QByteArray("\x08\x00\x04\x00V1.0", 8));
  EXPECT_EQ(bytes.mid(8 + 4 * 18, 4), i16(-5));  // VertShiftHScroll, the 19th integer
  EXPECT_EQ(ctx.session.SettingsSelected, kFalse);
  EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(SettingsFile, CustomSizesRoundTripIntoAFreshRecord) {
  for (int i = 0; i < kIgnoreBoxCount; ++i) settings.setIgnore(static_cast<IgnoreBox>(i), 0);
  settings.appendLength(QStringLiteral("5.3\" (134.6mm)"), QStringLiteral("05300"));
  const int length = settings.appendLength(QStringLiteral("9.5\" (241.3mm)"), QStringLiteral("09500"));
  const int width = settings.appendWidth(QStringLiteral("4.1\" (104.1mm)"), QStringLiteral("04100"));
  settings.setIndex(ListControl::LabelLength, length);
  settings.setIndex(ListControl::LabelWidth, width);
  settings.setIndex(ListControl::Orientation, 3);
  settings.setIndex(ListControl::Emulation, 5);
  settings.setHorzShift(-100);
  settings.setVertShift(1280);
  ASSERT_TRUE(SaveWizardSettings(ctx, path("b.tlw")));

  AppContext other;
  WizardSettings fresh(&other.session);
  other.settings = &fresh;
  other.services.prompts = &prompts;
  other.session.SettingsSavedToFile = kTrue;
  ASSERT_TRUE(LoadWizardSettings(path("b.tlw"), fresh).loaded);
  EXPECT_EQ(fresh.texts(ListControl::LabelLength), settings.texts(ListControl::LabelLength));
  EXPECT_EQ(fresh.texts(ListControl::LabelWidth), settings.texts(ListControl::LabelWidth));
  EXPECT_EQ(fresh.labelLengthValues(), settings.labelLengthValues());
  EXPECT_EQ(fresh.labelWidthValues(), settings.labelWidthValues());
  for (int i = 0; i < kListControlCount - 2; ++i) {  // the shift units are not stored
    EXPECT_EQ(fresh.index(static_cast<ListControl>(i)), settings.index(static_cast<ListControl>(i)));
  }
  EXPECT_EQ(fresh.horzShift(), -100);
  EXPECT_EQ(fresh.vertShift(), 1280);
  EXPECT_EQ(EncodeWizardSettings(fresh), read(path("b.tlw")));
  // Unchecking boxes while loading clears the saved-to-file flag.
  EXPECT_EQ(other.session.SettingsSavedToFile, kFalse);

  // Loading the same file again does not stack the custom entries.
  ASSERT_TRUE(LoadWizardSettings(path("b.tlw"), fresh).loaded);
  EXPECT_EQ(fresh.count(ListControl::LabelLength), 9);
}

TEST_F(SettingsFile, OverwriteNeedsYesAndKeepsTheTailOfALongerFile) {
  const QByteArray old = plainFile() + QByteArray("TAIL-OF-AN-OLDER-FILE");
  write(path("c.tlw"), old);

  prompts.answers.push_back(BoxAnswer::No);
  EXPECT_FALSE(SaveWizardSettings(ctx, path("c.tlw")));
  EXPECT_EQ(read(path("c.tlw")), old);
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].title, QStringLiteral("File Exist Error"));
  EXPECT_EQ(prompts.shown[0].text,
            QStringLiteral("Warning! Selected file currently exist\r\nDo you want to overwrite the file?"));
  EXPECT_EQ(prompts.shown[0].defaultButton, BoxAnswer::No);

  prompts.answers.push_back(BoxAnswer::Yes);
  settings.setIgnore(IgnoreBox::Gap, 0);
  settings.setIndex(ListControl::Gap, 2);
  ASSERT_TRUE(SaveWizardSettings(ctx, path("c.tlw")));
  const QByteArray now = read(path("c.tlw"));
  EXPECT_EQ(now.left(92), EncodeWizardSettings(settings));
  EXPECT_EQ(now.mid(92), QByteArray("TAIL-OF-AN-OLDER-FILE"));

  // The tail is ignored when the file is read back.
  WizardSettings fresh(&ctx.session);
  ctx.settings = &fresh;
  ASSERT_TRUE(LoadWizardSettings(path("c.tlw"), fresh).loaded);
  EXPECT_EQ(fresh.index(ListControl::Gap), 2);
}

TEST_F(SettingsFile, MarkMayBeLongerButMustStartTheText) {
  QByteArray longer = plainFile();
  longer.replace(0, 8, txt("V1.0 extra"));
  EXPECT_TRUE(DecodeWizardSettings(longer).has_value());
  QByteArray wrong = plainFile();
  wrong.replace(0, 8, txt("V1.1"));
  EXPECT_FALSE(DecodeWizardSettings(wrong).has_value());
  wrong.replace(0, 8, txt(" V1.0"));
  EXPECT_FALSE(DecodeWizardSettings(wrong).has_value());
  EXPECT_TRUE(DecodeWizardSettings(plainFile()).has_value());
}

TEST_F(SettingsFile, EveryKindOfDamageGivesTheNoticeAndChangesNothing) {
  settings.setIgnore(IgnoreBox::PrintSpeed, 0);
  settings.setIndex(ListControl::PrintSpeed, 2);
  const QByteArray before = EncodeWizardSettings(settings);

  auto patched = [](int value, int replacement) {
    return plainFile([=](int v, QByteArray& b) { if (v == value) b = i16(replacement); });
  };
  QByteArray customNotDigits = plainFile([](int v, QByteArray& b) {
    if (v == 5) b = i16(1);                          // one custom length ...
    if (v == 9) b = txt("04x00") + txt("x") + b;     // ... whose code is not digits
  });
  QByteArray wrongTag = plainFile();
  wrongTag[8] = 8;  // the first integer claims to be a text
  const std::vector<std::pair<const char*, QByteArray>> cases = {
      {"ends early", plainFile().left(60)},
      {"ends inside the mark", plainFile().left(6)},
      {"empty file", QByteArray()},
      {"wrong type tag", wrongTag},
      {"print mode index -1", patched(3, -1)},
      {"print mode index beyond", patched(3, 2)},
      {"length index beyond", patched(9, 7)},
      {"width index beyond", patched(10, 5)},
      {"speed index beyond", patched(16, 10)},
      {"emulation index below -1", patched(24, -2)},
      // Lists the operator can only pick from never hold -1: no job could be built.
      {"orientation index -1", patched(12, -1)},
      {"media handling index -1", patched(14, -1)},
      {"speed index -1", patched(16, -1)},
      {"gap index -1", patched(18, -1)},
      {"emulation index -1", patched(24, -1)},
      {"ignore value 2", patched(11, 2)},
      {"ignore value -1", patched(23, -1)},
      {"negative custom count", patched(5, -1)},
      {"absurd custom count", patched(6, 30000)},
      {"count beyond the data", patched(5, 3)},
      {"custom code not digits", customNotDigits},
      {"horizontal shift beyond", patched(20, 101)},
      {"vertical shift below", patched(22, -101)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    write(path("bad.tlw"), bytes);
    const LoadResult result = LoadWizardSettings(path("bad.tlw"), settings);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(result.notice,
              QStringLiteral("Error Reading File\r\nIncompatible File Type Detected\r\n"
                             "Unable to load the saved settings\r\n"));
    EXPECT_TRUE(prompts.shown.empty());  // the page shows the notice, not the loader
    EXPECT_EQ(EncodeWizardSettings(settings), before);
  }
  // -1 in a list that allows typed text (the two size lists) is a valid file.
  EXPECT_TRUE(DecodeWizardSettings(patched(9, -1)).has_value());
  EXPECT_TRUE(DecodeWizardSettings(patched(10, -1)).has_value());
}

TEST_F(SettingsFile, MissingFileAndFileExists) {
  const LoadResult missing = LoadWizardSettings(path("none.tlw"), settings);
  EXPECT_FALSE(missing.loaded);
  EXPECT_EQ(missing.notice, QStringLiteral("File not found. Please select another file."));

  EXPECT_FALSE(FileExists(QString()));
  EXPECT_FALSE(FileExists(dir.path()));  // a folder is not a file
  EXPECT_FALSE(FileExists(dir.path() + QLatin1Char('/')));
  write(path("x.tlw"), "x");
  EXPECT_TRUE(FileExists(path("x.tlw")));
}
