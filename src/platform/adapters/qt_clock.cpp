#include "platform/adapters/qt_clock.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>

namespace tlw {

QtClock::QtClock() { timer_.start(); }

qint64 QtClock::nowMs() const { return timer_.elapsed(); }

bool QtClock::wait(qint64 ms, const std::function<bool()>& done) {
  const qint64 end = nowMs() + std::max<qint64>(ms, 0);
  for (;;) {
    if (done && done()) return true;
    const qint64 left = end - nowMs();
    if (left <= 0) return false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(std::min<qint64>(left, 24LL * 3600 * 1000)));
    loops_.push_back(&loop);
    loop.exec();
    loops_.erase(std::find(loops_.begin(), loops_.end(), &loop));
  }
}

void QtClock::wake() {
  // Every running wait re-checks its condition. Nested waits are woken too: an
  // outer loop only resumes after the inner ones have returned.
  for (QEventLoop* loop : loops_) loop->quit();
}

void QtClock::sleepBlocking(qint64 ms) { QThread::msleep(static_cast<unsigned long>(std::max<qint64>(ms, 0))); }

}  // namespace tlw
