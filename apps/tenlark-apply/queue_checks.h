#pragma once
#include <QString>
#include <vector>

#include "apply_options.h"

namespace tlw {

class Spooler;

// A queue that passed the checks, as the spooler spells it.
struct QueueTarget {
  QString name;
  QString driver;
  QString port;
  int widthClass = 0;
};

struct QueueCheck {
  bool ok = false;
  int exitCode = 2;  // when !ok: 2 bad input, 1 the print server could not be reached
  std::vector<QueueTarget> targets;  // each queue once, in the order named
  QString errorText;                 // for stderr, lines ending in LF, when !ok
};

// Checks every --printer queue before anything is sent: the print server answers,
// installed (names compare
// without case, as the scheduler's do), of the model family, and the settings file
// passing the finish rules for that printer's width class. A named queue's width
// class comes from its driver, as in the wizard; --width-class stands in only where
// the driver name gives none, so it can never let a label wider than the printer
// through.
QueueCheck CheckQueues(Spooler& spooler, const ApplyOptions& options);

}  // namespace tlw
