#pragma once
#include <QMap>
#include <QString>
#include <QStringList>

class QTextStream;

namespace tlw {

// Draws the progress of every queue on one terminal line ("[Zov-4in 30%] ..."),
// only when stderr is a terminal. Lines written in between clear it and draw it again.
class ProgressLine {
 public:
  ProgressLine(QTextStream& err, const QStringList& queues);
  void set(const QString& queue, int value);
  void clear();
  void draw();

 private:
  QTextStream& err_;
  QStringList queues_;
  QMap<QString, int> percent_;
  bool enabled_ = false;
  bool drawn_ = false;
};

}  // namespace tlw
