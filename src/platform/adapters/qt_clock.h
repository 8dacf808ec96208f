#pragma once
#include <QElapsedTimer>
#include <vector>

#include "platform/clock.h"

class QEventLoop;

namespace tlw {

// The real clock: monotonic time from QElapsedTimer; a wait runs a nested
// QEventLoop that a single-shot timer or wake() ends, so nothing spins.
class QtClock : public Clock {
 public:
  QtClock();
  qint64 nowMs() const override;
  bool wait(qint64 ms, const std::function<bool()>& done = {}) override;
  void wake() override;
  void sleepBlocking(qint64 ms) override;

 private:
  QElapsedTimer timer_;
  std::vector<QEventLoop*> loops_;  // running waits, innermost last
};

}  // namespace tlw
