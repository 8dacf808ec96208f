#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/debug_log.h"
#include "core/entry_options.h"
#include "core/program_state.h"

using namespace tlw;

namespace {

struct Entry {
  ProgramState state;
  DebugLog log;
  QTemporaryDir dir;

  explicit Entry(const QString& args, ProgramState start = {}) : state(start) {
    log.setFolder(dir.path());
    ApplyEntryOptions(args, state, log);
  }
  QByteArray logText() const {
    QFile f(log.filePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

}  // namespace

TEST(EntryOptions, NoArgumentsLeavesEverythingOffAndWritesNoLog) {
  ProgramState dirty;
  dirty.JobErrorFlag = kTrue;
  dirty.SettingsSavedToFile = kTrue;
  dirty.CdMenuTool = QStringLiteral("other");
  Entry e(QString(), dirty);
  EXPECT_EQ(e.state.DebugMode, kFalse);
  EXPECT_EQ(e.state.CdMenuMode, kFalse);
  EXPECT_EQ(e.state.UseOldEmulationCmd, 0);
  EXPECT_EQ(e.state.JobErrorFlag, kFalse);
  EXPECT_EQ(e.state.SettingsSavedToFile, kFalse);
  EXPECT_EQ(e.state.CdMenuTool, QStringLiteral("MaxMin.exe"));
  EXPECT_FALSE(e.log.enabled());
  EXPECT_FALSE(QFile::exists(e.log.filePath()));
}

TEST(EntryOptions, OptionsMatchAsSubstringsInAnyCase) {
  Entry e(QStringLiteral("log cd 1234"));
  EXPECT_EQ(e.state.DebugMode, kTrue);
  EXPECT_EQ(e.state.CdMenuMode, kTrue);
  const QByteArray text = e.logText();
  // The first entry announces debug mode; OLD was not given.
  EXPECT_EQ(text.mid(20, 24), QByteArray(" - Entering Debug Mode\r\n")) << text.constData();
  EXPECT_TRUE(text.endsWith(" - MinMax CD Menu Enabled\r\n"));
  EXPECT_FALSE(text.contains("Old Emulation"));

  Entry old(QStringLiteral("xxOLDxx"));
  EXPECT_EQ(old.state.UseOldEmulationCmd, 1);
  EXPECT_EQ(old.state.DebugMode, kFalse);
  EXPECT_TRUE(old.logText().isEmpty());  // nothing logged without LOG

  Entry all(QStringLiteral("OLD LOG"));
  EXPECT_TRUE(all.logText().contains(" - Using Old Emulation Cmd\r\n"));
}

TEST(EntryOptions, CdArgumentDropsTheFirstTwoCharactersOfTheUnchangedText) {
  EXPECT_EQ(Entry(QStringLiteral("CD1234")).state.CdMenuArg, QStringLiteral("1234"));
  EXPECT_EQ(Entry(QStringLiteral("CD 1234")).state.CdMenuArg, QStringLiteral(" 1234"));
  EXPECT_EQ(Entry(QStringLiteral("LOG CD 99")).state.CdMenuArg, QStringLiteral("G CD 99"));
  EXPECT_EQ(Entry(QStringLiteral("cd MiXed")).state.CdMenuArg, QStringLiteral(" MiXed"));
}

TEST(EntryOptions, ArgumentTextJoinsArgumentsWithBlanks) {
  const char* argv[] = {"/usr/bin/tenlark-wizard", "log", "CD", "x y"};
  EXPECT_EQ(ArgumentText(4, argv), QStringLiteral("log CD x y"));
  EXPECT_EQ(ArgumentText(1, argv), QString());
}
