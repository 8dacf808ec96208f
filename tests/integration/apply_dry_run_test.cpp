#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/apply_process.h"
#include "support/qt_app.h"

namespace {

struct Result {
  int exitCode = -1;
  QByteArray out, err;
};

Result runApply(const QStringList& args) {
  tlw::test::ensureApp();
  QProcess p;
  p.start(QStringLiteral(TENLARK_BINARY_DIR "/apps/tenlark-apply"), args);
  Result r;
  if (!p.waitForFinished(30000)) return r;
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

QByteArray read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray lines(std::initializer_list<const char*> list) {
  QByteArray out;
  for (const char* l : list) out += QByteArray(l) + "\r\n";
  return out;
}

const QString kDemo = QStringLiteral(TENLARK_SOURCE_DIR "/samples/demo.tlw");

}  // namespace

TEST(ApplyDryRun, DemoFileGivesEveryJobOfTheRunByteForByte) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("jobs"));
  const QString log = dir.filePath(QStringLiteral("apply.log"));
  const Result r = runApply({kDemo, "--dry-run", out, "--save", "2", "--power-up", "2", "--log", log});
  ASSERT_EQ(r.exitCode, 0) << r.err.constData();
  EXPECT_TRUE(r.err.isEmpty());

  const QStringList files = QDir(out).entryList(QDir::Files, QDir::Name);
  EXPECT_EQ(files, QStringList({"01-emulation.job", "02-load-config.job", "03-update.job",
                                "04-calibrate.job", "05-save.job", "06-power-up.job"}));
  EXPECT_EQ(read(out + "/01-emulation.job"),
            lines({"!KVX_SETUP", "CONFIG-OVERLAY;2.", "guardsave   .e  0   0x0",
                   "hulswitch   .e  2   0x0", "CONFIG-OVERLAY;END.", "KVX_END"}));
  EXPECT_EQ(read(out + "/02-load-config.job"), lines({"!KVX_SETUP", "CONFIG-LOAD;2", "KVX_END"}));
  EXPECT_EQ(read(out + "/03-update.job"),
            lines({"!KVX_SETUP", "ENGINE-MODE;X", "ENGINE-LENGTH;06000:WIDTH;04000", "KVX_END",
                   "!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;SPEED IPS 4",
                   "~PAPER;LABELS 2", "!KVX_SETUP", "WINMODE-END", "KVX_END"}));
  EXPECT_EQ(read(out + "/04-calibrate.job"),
            lines({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;CALIBRATE", "!KVX_SETUP",
                   "WINMODE-END", "KVX_END"}));
  EXPECT_EQ(read(out + "/05-save.job"), lines({"!KVX_SETUP", "CONFIG-SAVE;2", "KVX_END"}));
  EXPECT_EQ(read(out + "/06-power-up.job"), lines({"!KVX_SETUP", "CONFIG-POWERUP;2", "KVX_END"}));

  // Two log entries per job, each job's text in the first.
  const QByteArray logText = read(log);
  EXPECT_EQ(logText.count(" - SendEmuCmd \r\n"), 4);
  EXPECT_EQ(logText.count(" - SendSetPowerUpCmd \r\n"), 2);
  EXPECT_TRUE(logText.contains(" - SendCfgCmd \r\n" + read(out + "/03-update.job")));

  // A second run with fewer jobs leaves no stale job files behind.
  const Result again = runApply({kDemo, "--dry-run", out, "--save", "2", "--old-emulation-cmd"});
  ASSERT_EQ(again.exitCode, 0) << again.err.constData();
  EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 5);
  EXPECT_TRUE(read(out + "/01-emulation.job").contains("CONFIG-DOWNLOAD;2.\r\n"));
}

TEST(ApplyDryRun, RefusalsExitTwoWithTheTextOnStderrAndWriteNothing) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("jobs"));

  Result r = runApply({kDemo, "--dry-run", out});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("Changing the active emulation requires you to save the configuration.\n"
                             "Please select a configuration number to hold this change."));
  EXPECT_FALSE(QDir(out).exists());

  const QString bad = dir.filePath(QStringLiteral("bad.tlw"));
  QFile f(bad);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray("\x08\x00\x04\x00V1.1", 8));
  f.close();
  r = runApply({bad, "--dry-run", out, "--save", "1"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, QByteArray("Error Reading File\nIncompatible File Type Detected\n"
                              "Unable to load the saved settings\n"));

  // Sending with no print server to ask: a server failure (1), said as such.
  QProcessEnvironment noServer = QProcessEnvironment::systemEnvironment();
  noServer.insert(QStringLiteral("CUPS_SERVER"), dir.filePath(QStringLiteral("none.sock")));
  const tlw::test::ApplyResult sent =
      tlw::test::RunApply({kDemo, "--save", "1", "--yes", "-p", "zov"}, noServer);
  EXPECT_EQ(sent.exitCode, 1);
  EXPECT_TRUE(sent.err.startsWith("tenlark-apply: cannot reach the print server: "));
  EXPECT_TRUE(sent.err.endsWith("tenlark-apply: zov: not configured: the print server could not "
                                "be reached\ntenlark-apply: 0 configured, 1 not configured\n"));

  r = runApply({kDemo, "--save", "nine"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("--save"));

  r = runApply({"--version"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(r.out.startsWith("tenlark-apply "));
}
