#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/debug_log.h"
#include "core/entry_options.h"
#include "core/state.h"

using namespace tlw;

namespace {

struct Entry {
  StartupOptions options;
  SessionFlags session;
  DebugLog log;
  QTemporaryDir dir;

  explicit Entry(const QString& args, StartupOptions startOptions = {},
                 SessionFlags startSession = {})
      : options(startOptions), session(startSession) {
    log.setFolder(dir.path());
    ApplyEntryOptions(args, options, session, log);
  }
  QByteArray logText() const {
    QFile f(log.filePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

}  // namespace

TEST(EntryOptions, NoArgumentsLeavesEverythingOffAndWritesNoLog) {
  StartupOptions dirtyOptions;
  dirtyOptions.CdMenuTool = QStringLiteral("other");
  SessionFlags dirtySession;
  dirtySession.JobErrorFlag = kTrue;
  dirtySession.SettingsSavedToFile = kTrue;
  Entry e(QString(), dirtyOptions, dirtySession);
  EXPECT_EQ(e.options.DebugMode, kFalse);
  EXPECT_EQ(e.options.CdMenuMode, kFalse);
  EXPECT_EQ(e.options.UseOldEmulationCmd, 0);
  EXPECT_EQ(e.session.JobErrorFlag, kFalse);
  EXPECT_EQ(e.session.SettingsSavedToFile, kFalse);
  EXPECT_EQ(e.options.CdMenuTool, QStringLiteral("MaxMin.exe"));
  EXPECT_FALSE(e.log.enabled());
  EXPECT_FALSE(QFile::exists(e.log.filePath()));
}

TEST(EntryOptions, OptionsMatchAsSubstringsInAnyCase) {
  Entry e(QStringLiteral("log cd 1234"));
  EXPECT_EQ(e.options.DebugMode, kTrue);
  EXPECT_EQ(e.options.CdMenuMode, kTrue);
  const QByteArray text = e.logText();
  // The first entry announces debug mode; OLD was not given.
  EXPECT_EQ(text.mid(20, 24), QByteArray(" - Entering Debug Mode\r\n")) << text.constData();
  EXPECT_TRUE(text.endsWith(" - MinMax CD Menu Enabled\r\n"));
  EXPECT_FALSE(text.contains("Old Emulation"));

  Entry old(QStringLiteral("xxOLDxx"));
  EXPECT_EQ(old.options.UseOldEmulationCmd, 1);
  EXPECT_EQ(old.options.DebugMode, kFalse);
  EXPECT_TRUE(old.logText().isEmpty());  // nothing logged without LOG

  Entry all(QStringLiteral("OLD LOG"));
  EXPECT_TRUE(all.logText().contains(" - Using Old Emulation Cmd\r\n"));
}

TEST(EntryOptions, CdArgumentDropsTheFirstTwoCharactersOfTheUnchangedText) {
  EXPECT_EQ(Entry(QStringLiteral("CD1234")).options.CdMenuArg, QStringLiteral("1234"));
  EXPECT_EQ(Entry(QStringLiteral("CD 1234")).options.CdMenuArg, QStringLiteral(" 1234"));
  EXPECT_EQ(Entry(QStringLiteral("LOG CD 99")).options.CdMenuArg, QStringLiteral("G CD 99"));
  EXPECT_EQ(Entry(QStringLiteral("cd MiXed")).options.CdMenuArg, QStringLiteral(" MiXed"));
}

TEST(EntryOptions, ArgumentTextJoinsArgumentsWithBlanks) {
  const char* argv[] = {"/usr/bin/tenlark-wizard", "log", "CD", "x y"};
  EXPECT_EQ(ArgumentText(4, argv), QStringLiteral("log CD x y"));
  EXPECT_EQ(ArgumentText(1, argv), QString());
}
