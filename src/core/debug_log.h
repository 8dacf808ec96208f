#pragma once
#include <QString>
#include <functional>

#include <QDateTime>

namespace tlw {

class Clock;

// The debug log "Log.txt" in the program's folder. Writes only while enabled
// (the "LOG" option). Each entry is opened, appended and closed on its own, so the
// file is complete on disk at all times. Never reports an error to its caller.
class DebugLog {
 public:
  DebugLog() = default;

  void setEnabled(bool on) { enabled_ = on; }
  bool enabled() const { return enabled_; }
  // Folder that holds Log.txt (the program's own folder).
  void setFolder(const QString& folder) { folder_ = folder; }
  // Writes to this file instead of Log.txt in the folder (tenlark-apply --log).
  void setFile(const QString& path) { file_ = path; }
  QString filePath() const;
  // Source of local time for the stamp (tests fix it).
  void setTimeSource(std::function<QDateTime()> now) { now_ = std::move(now); }
  // Pause used between retries of a failed write (tests make it instant).
  void setClock(Clock* clock) { clock_ = clock; }

  // Appends "MMM DD,YYYY hh:mm:ss - " + message + CR LF when enabled.
  void write(const QString& message);

 private:
  bool enabled_ = false;
  QString folder_;
  QString file_;
  // Set when an entry was lost after all its retries; later entries are then tried
  // once without pausing until a write succeeds again.
  bool failing_ = false;
  std::function<QDateTime()> now_;
  Clock* clock_ = nullptr;
};

// The entry stamp "MMM DD,YYYY hh:mm:ss" (month name from the default locale).
QString DebugLogStamp(const QDateTime& when);

}  // namespace tlw
