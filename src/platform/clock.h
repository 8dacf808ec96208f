#pragma once
#include <QtGlobal>
#include <functional>

namespace tlw {

// Monotonic time and waits. A wait keeps the event loop running (windows repaint,
// sockets deliver) and never spins: the real clock runs a nested QEventLoop ended
// by a timer or by wake(); VirtualClock advances time at once for tests.
class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since an arbitrary fixed origin; never goes backwards.
  virtual qint64 nowMs() const = 0;

  // Waits `ms` milliseconds of elapsed time, or less when `done` becomes true.
  // `done` is checked at the start and whenever wake() is called. Returns true when
  // `done` ended the wait, false when the time ran out.
  virtual bool wait(qint64 ms, const std::function<bool()>& done = {}) = 0;

  // Asks every running wait() to check its condition again.
  virtual void wake() = 0;

  // Blocks the thread without processing events (short pauses only).
  virtual void sleepBlocking(qint64 ms) = 0;
};

}  // namespace tlw
