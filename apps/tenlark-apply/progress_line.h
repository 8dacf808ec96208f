#pragma once
#include <QElapsedTimer>
#include <QHash>
#include <QString>

class QTextStream;

namespace tlw {

// The state of a fleet run on one terminal line, redrawn in place on stderr:
//   "running 998, configured 1, not configured 1; slowest: Zov017 23 s
//    Requesting auto calibration to be started."
// Only when stderr is a terminal; lines written in between clear it and draw it again.
class ProgressLine {
 public:
  ProgressLine(QTextStream& err, int queues, bool enabled);
  // A queue wrote a status line (its current step began, or ended).
  void line(const QString& queue, const QString& text);
  // A queue's run ended.
  void finished(const QString& queue, bool configured);
  void clear();
  void draw();
  bool enabled() const { return enabled_; }
  // The line's text as drawn (for tests).
  QString text() const;

 private:
  struct Waiting {
    QString step;
    qint64 since = 0;
  };
  QTextStream& err_;
  QElapsedTimer clock_;
  QHash<QString, Waiting> running_;
  int total_ = 0;
  int configured_ = 0;
  int notConfigured_ = 0;
  bool enabled_ = false;
  bool drawn_ = false;
};

}  // namespace tlw
