#include "support/virtual_clock.h"

namespace tlw::test {

bool VirtualClock::wait(qint64 ms, const std::function<bool()>& done) {
  waits.push_back(ms);
  if (onWait) onWait(ms);
  if (done && done()) return true;
  const qint64 end = now_ + (ms > 0 ? ms : 0);
  for (;;) {
    auto next = scheduled_.begin();
    if (next == scheduled_.end() || next->first > end) {
      now_ = end;
      return done ? done() : false;
    }
    if (next->first > now_) now_ = next->first;
    auto action = std::move(next->second);
    scheduled_.erase(next);
    action();
    if (done && done()) return true;
  }
}

void VirtualClock::sleepBlocking(qint64 ms) {
  blockedMs += ms;
  now_ += ms;
}

void VirtualClock::at(qint64 whenMs, std::function<void()> action) {
  scheduled_.emplace(whenMs, std::move(action));
}

}  // namespace tlw::test
