#include "core/run_program.h"

#include <exception>

#include "core/context.h"
#include "platform/clock.h"
#include "platform/process_launcher.h"

namespace tlw {

qint64 StartProgram(AppContext& ctx, const QString& command, const QString& arguments) {
  if (!ctx.services.processes) return 0;
  return ctx.services.processes->startProgram(command, arguments);
}

bool IsProgramRunning(AppContext& ctx, qint64& handle) {
  if (handle == 0 || !ctx.services.processes) return false;
  return ctx.services.processes->isProgramRunning(handle);
}

bool RunAndWait(AppContext& ctx, const QString& command, QString& message, qint64 limitMs) {
  message.clear();
  try {
    Clock* clock = ctx.services.clock;
    if (!clock) {
      message = QStringLiteral("No clock to wait with.");
      return false;
    }
    qint64 handle = StartProgram(ctx, command, QString());
    bool result = true;
    const qint64 start = clock->nowMs();
    do {
      // Keeps the windows alive; ends early when the process ends and a wake() comes.
      clock->wait(100, [&] { return !IsProgramRunning(ctx, handle); });
      if (clock->nowMs() - start > limitMs) {
        message = QStringLiteral("The process has timed out.");
        result = false;
      }
    } while (IsProgramRunning(ctx, handle));
    return result;
  } catch (const std::exception& e) {
    message = QString::fromLocal8Bit(e.what());
    return false;
  }
}

}  // namespace tlw
