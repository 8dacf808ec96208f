#include "core/debug_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QThread>
#include <cerrno>

#include "platform/clock.h"

namespace tlw {

namespace {

// A failed write is tried again after this pause, at most kMaxRetries times, so a
// log file that can never be written (a read-only program folder) costs a few
// seconds once per entry and never hangs the program.
constexpr int kRetryPauseMs = 500;
constexpr int kMaxRetries = 6;

enum class WriteOutcome { Written, Retry, Drop };

// Errors that may go away: the file is locked or in use, access is denied, or
// the device reported an input/output error.
bool retryable(int err) {
  return err == EACCES || err == EPERM || err == EBUSY || err == ETXTBSY || err == EAGAIN ||
         err == EIO || err == EINTR;
}

WriteOutcome appendOnce(const QByteArray& path, const QByteArray& entry) {
  const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return retryable(errno) ? WriteOutcome::Retry : WriteOutcome::Drop;
  qsizetype done = 0;
  WriteOutcome outcome = WriteOutcome::Written;
  while (done < entry.size()) {
    const ssize_t n = ::write(fd, entry.constData() + done, static_cast<size_t>(entry.size() - done));
    if (n < 0) {
      if (errno == EINTR) continue;
      outcome = retryable(errno) ? WriteOutcome::Retry : WriteOutcome::Drop;
      break;
    }
    done += n;
  }
  ::close(fd);
  return outcome;
}

}  // namespace

QString DebugLogStamp(const QDateTime& when) {
  // "MMM DD,YYYY hh:mm:ss": the locale's short month name, two-digit day, a comma
  // without a blank, four-digit year, 24-hour time.
  const QDate d = when.date();
  const QTime t = when.time();
  return QLocale().monthName(d.month(), QLocale::ShortFormat) + QLatin1Char(' ') +
         QString::number(d.day()).rightJustified(2, QLatin1Char('0')) + QLatin1Char(',') +
         QString::number(d.year()).rightJustified(4, QLatin1Char('0')) + QLatin1Char(' ') +
         t.toString(QStringLiteral("HH:mm:ss"));
}

QString DebugLog::filePath() const {
  if (!file_.isEmpty()) return file_;
  QString folder = folder_;
  if (folder.isEmpty() && QCoreApplication::instance()) {
    folder = QCoreApplication::applicationDirPath();
  }
  return QDir(folder).filePath(QStringLiteral("Log.txt"));
}

void DebugLog::write(const QString& message) {
  if (!enabled_) return;
  const QDateTime now = now_ ? now_() : QDateTime::currentDateTime();
  const QByteArray entry =
      (DebugLogStamp(now) + QStringLiteral(" - ") + message + QStringLiteral("\r\n")).toLatin1();
  const QByteArray path = QFile::encodeName(filePath());
  for (int attempt = 0;; ++attempt) {
    const WriteOutcome outcome = appendOnce(path, entry);
    if (outcome == WriteOutcome::Written) failing_ = false;
    if (outcome != WriteOutcome::Retry) return;
    if (failing_ || attempt >= kMaxRetries) {
      failing_ = true;
      return;
    }
    if (clock_) clock_->sleepBlocking(kRetryPauseMs);
    else QThread::msleep(kRetryPauseMs);
  }
}

}  // namespace tlw
