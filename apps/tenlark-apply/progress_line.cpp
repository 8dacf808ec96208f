#include "progress_line.h"

#include <QTextStream>
#include <cstdio>
#include <unistd.h>

namespace tlw {

ProgressLine::ProgressLine(QTextStream& err, const QStringList& queues)
    : err_(err), queues_(queues), enabled_(isatty(fileno(stderr)) != 0) {}

void ProgressLine::set(const QString& queue, int value) {
  percent_[queue] = value;
  draw();
}

void ProgressLine::clear() {
  if (!enabled_ || !drawn_) return;
  err_ << "\r\033[K";
  err_.flush();
  drawn_ = false;
}

void ProgressLine::draw() {
  if (!enabled_) return;
  QString s;
  for (const QString& q : queues_) {
    if (!s.isEmpty()) s += QLatin1Char(' ');
    s += QStringLiteral("[%1 %2%]").arg(q).arg(percent_.value(q, 0));
  }
  err_ << '\r' << s << "\033[K";
  err_.flush();
  drawn_ = true;
}

}  // namespace tlw
