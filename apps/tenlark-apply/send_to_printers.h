#pragma once

class QTextStream;

namespace tlw {

struct ApplyOptions;

// tenlark-apply's real run: for every --printer queue the job run of the progress
// window, without windows, on the real spooler, clock and network. The queues are
// checked first (CheckQueues); any refusal returns 2 before a job is sent. Then
// every queue runs at the same time on a thread of its own with its own context,
// spooler connection, clock and event loop, so that each keeps its own waits.
//
// Status log lines go to `out` (each prefixed "QUEUE: " when there are several
// queues); error boxes go to `err`; a progress line is drawn on stderr when it is a
// terminal. Returns 0 when every queue was configured, 1 when a job was not taken
// on any queue, 2 for bad input.
int SendToPrinters(const ApplyOptions& options, QTextStream& out, QTextStream& err);

}  // namespace tlw
