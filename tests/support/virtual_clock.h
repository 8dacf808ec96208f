#pragma once
#include <functional>
#include <map>
#include <vector>

#include "platform/clock.h"

namespace tlw::test {

// A clock for unit tests: waits return at once and advance virtual time. Actions
// scheduled with at()/after() run when a wait passes their moment, so a test can
// change a fake queue "3 seconds into" a wait.
class VirtualClock : public Clock {
 public:
  qint64 nowMs() const override { return now_; }
  bool wait(qint64 ms, const std::function<bool()>& done = {}) override;
  void wake() override {}
  void sleepBlocking(qint64 ms) override;

  // Runs `action` when virtual time reaches `whenMs` inside a wait.
  void at(qint64 whenMs, std::function<void()> action);
  // Runs `action` `delayMs` after the current virtual time.
  void after(qint64 delayMs, std::function<void()> action) { at(now_ + delayMs, std::move(action)); }
  // Called at the start of every wait with its length (before time moves).
  std::function<void(qint64 ms)> onWait;

  // Length of every wait() call so far, in order.
  std::vector<qint64> waits;
  qint64 blockedMs = 0;

 private:
  qint64 now_ = 1'000'000;  // away from 0 so "no time noted" bugs show
  std::multimap<qint64, std::function<void()>> scheduled_;
};

}  // namespace tlw::test
