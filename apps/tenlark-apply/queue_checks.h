#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "apply_options.h"
#include "setuplang/run_plan.h"

namespace tlw {

class Spooler;

// A --printer value: a queue of the default print server (CUPS_SERVER or the
// system's), or ipp://HOST[:PORT]/printers/QUEUE on another one.
struct QueueRef {
  QString label;  // as the command line named it
  QString host;   // empty: the default print server
  int port = 0;   // 631 when the URI names none; 0 for the default server
  QString queue;  // the queue's name on its server

  // Queues with the same key share one print server and its connections.
  QString serverKey() const;
};

// Reads a --printer value; nullopt for an ipp URI that does not name a queue.
std::optional<QueueRef> ParseQueueRef(const QString& text);

// A queue that passed the checks.
struct QueueTarget {
  QString name;   // as the spooler spells it
  QString label;  // how the output names it: the name, or the URI of another server
  QString driver;
  QString port;
  int widthClass = 0;
  RunPlan plan;  // the run the settings file makes for this printer
};

struct QueueCheck {
  bool ok = false;
  bool serverUnreachable = false;    // when !ok: the print server did not answer
  std::vector<QueueTarget> targets;  // each queue once, in the order named
  QString errorText;                 // for stderr, lines ending in LF, when !ok
};

// Checks the queues of one print server before anything is sent: the server
// answers, each queue is installed (names compare without case, as the scheduler's
// do) and of the model family, and the settings file passes the finish rules for
// that printer's width class. A named queue's width class comes from its driver, as
// in the wizard; --width-class stands in only where the driver name gives none, so
// it can never let a label wider than the printer through.
QueueCheck CheckQueues(Spooler& spooler, const ApplyOptions& options,
                       const std::vector<QueueRef>& queues);

}  // namespace tlw
