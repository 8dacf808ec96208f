#include "progress_line.h"

#include <QTextStream>

namespace tlw {

ProgressLine::ProgressLine(QTextStream& err, int queues, bool enabled)
    : err_(err), total_(queues), enabled_(enabled) {
  clock_.start();
}

void ProgressLine::line(const QString& queue, const QString& text) {
  running_[queue] = {text, clock_.elapsed()};
  draw();
}

void ProgressLine::finished(const QString& queue, bool configured) {
  running_.remove(queue);
  ++(configured ? configured_ : notConfigured_);
  draw();
}

QString ProgressLine::text() const {
  const int running = total_ - configured_ - notConfigured_;
  QString s = QStringLiteral("running %1, configured %2, not configured %3")
                  .arg(running)
                  .arg(configured_)
                  .arg(notConfigured_);
  // The step that has waited longest among the queues still running.
  const Waiting* slowest = nullptr;
  QString slowestQueue;
  for (auto it = running_.cbegin(); it != running_.cend(); ++it) {
    if (!slowest || it.value().since < slowest->since ||
        (it.value().since == slowest->since && it.key() < slowestQueue)) {
      slowest = &it.value();
      slowestQueue = it.key();
    }
  }
  if (slowest) {
    s += QStringLiteral("; slowest: %1 %2 s %3")
             .arg(slowestQueue)
             .arg((clock_.elapsed() - slowest->since) / 1000)
             .arg(slowest->step);
  }
  return s;
}

void ProgressLine::clear() {
  if (!enabled_ || !drawn_) return;
  err_ << "\r\033[K";
  err_.flush();
  drawn_ = false;
}

void ProgressLine::draw() {
  if (!enabled_) return;
  err_ << '\r' << text() << "\033[K";
  err_.flush();
  drawn_ = true;
}

}  // namespace tlw
