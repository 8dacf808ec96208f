#pragma once
#include <QString>
#include <QtGlobal>

namespace tlw {

struct AppContext;

// Starting and watching external programs through ctx.services.processes, with
// waits on ctx.services.clock (the event loop keeps running during a wait).

// Starts `command`; when `arguments`, trimmed, is not empty they are passed as one
// argument. Returns the process handle, 0 when the start failed.
qint64 StartProgram(AppContext& ctx, const QString& command, const QString& arguments);

// False for handle 0. Otherwise asks whether the process still runs; once it has
// ended, `handle` is set to 0 and the answer is false.
bool IsProgramRunning(AppContext& ctx, qint64& handle);

// Runs a command line and waits until the process has ended, however long that
// takes; `limitMs` only decides the result: past the limit `message` becomes
// "The process has timed out." and the result false. A program that cannot be
// started ends the wait at once with the result true. Waits in steps of at most
// 100 ms on the clock (no spinning); a clock wake() ends a step early.
bool RunAndWait(AppContext& ctx, const QString& command, QString& message, qint64 limitMs);

}  // namespace tlw
