#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "core/debug_log.h"
#include "support/virtual_clock.h"

using namespace tlw;

namespace {

// Makes a file refuse writes with "operation not permitted" even for root (the
// immutable attribute), or, for other users, with "access denied". False when
// neither is possible here.
bool setUnwritable(const QString& path, bool on) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  if (done) return true;
  if (::geteuid() == 0) return false;
  return QFile::setPermissions(path, on ? QFileDevice::ReadOwner
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(DebugLogFormat, StampSeparatorMessageAndCrLf) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QTemporaryDir dir;
  DebugLog log;
  log.setFolder(dir.path());
  log.setTimeSource([] { return QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9)); });

  log.write(QStringLiteral("not written while off"));
  EXPECT_FALSE(QFile::exists(log.filePath()));

  log.setEnabled(true);
  log.write(QStringLiteral("...CheckPrinter"));
  // A message with line breaks spans several lines; only the first has the stamp.
  log.write(QStringLiteral("SendCfgCmd \r\n!KVX_SETUP\r\nKVX_END\r\n"));
  EXPECT_EQ(log.filePath(), QDir(dir.path()).filePath(QStringLiteral("Log.txt")));
  EXPECT_EQ(readAll(log.filePath()),
            QByteArray("Mar 04,2026 17:05:09 - ...CheckPrinter\r\n"
                       "Mar 04,2026 17:05:09 - SendCfgCmd \r\n!KVX_SETUP\r\nKVX_END\r\n\r\n"));
  EXPECT_EQ(DebugLogStamp(QDateTime(QDate(2026, 12, 31), QTime(0, 0, 0))),
            QStringLiteral("Dec 31,2026 00:00:00"));
}

TEST(DebugLogFormat, AppendsToWhatIsThere) {
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QStringLiteral("other.log"));
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("earlier\r\n");
  }
  DebugLog log;
  log.setFile(path);
  log.setEnabled(true);
  log.write(QStringLiteral("next"));
  const QByteArray text = readAll(path);
  EXPECT_TRUE(text.startsWith("earlier\r\n"));
  EXPECT_TRUE(text.endsWith(" - next\r\n"));
}

TEST(DebugLogRetry, UnwritableFileRetriesBrieflyOnceThenGivesUpQuickly) {
  QTemporaryDir dir;
  test::VirtualClock clock;
  DebugLog log;
  log.setFolder(dir.path());
  {
    QFile f(log.filePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  if (!setUnwritable(log.filePath(), true)) GTEST_SKIP() << "cannot make a file unwritable here";
  struct Restore {
    QString path;
    ~Restore() { setUnwritable(path, false); }
  } restore{log.filePath()};
  log.setClock(&clock);
  log.setEnabled(true);

  log.write(QStringLiteral("first"));
  EXPECT_GT(clock.blockedMs, 0);
  EXPECT_LE(clock.blockedMs, 5000);  // a few seconds, not forever
  EXPECT_EQ(clock.blockedMs % 500, 0);
  const qint64 afterFirst = clock.blockedMs;
  log.write(QStringLiteral("second"));
  EXPECT_EQ(clock.blockedMs, afterFirst);  // no second round of pauses
  EXPECT_TRUE(readAll(log.filePath()).isEmpty());

  // Once the file is writable again the log works as before.
  ASSERT_TRUE(setUnwritable(log.filePath(), false));
  log.write(QStringLiteral("third"));
  EXPECT_TRUE(readAll(log.filePath()).endsWith(" - third\r\n"));
}

TEST(DebugLogRetry, MissingFolderDropsTheEntryWithoutPausing) {
  test::VirtualClock clock;
  DebugLog log;
  log.setFolder(QStringLiteral("/nonexistent-folder-for-log-test"));
  log.setClock(&clock);
  log.setEnabled(true);
  log.write(QStringLiteral("lost"));
  EXPECT_EQ(clock.blockedMs, 0);
}
