#pragma once

#include "printer_state.h"

#include <QByteArray>
#include <QString>

namespace tlw::sim {

// What one job did, for the per-job log line.
struct JobSummary {
  bool counted = false;   // false for a connection that carried no bytes
  long number = 0;
  int lines = 0;
  int unknown = 0;
};

// Carries out jobs in the printer's setup language against a PrinterState.
// Each job is read line by line (CR LF or bare LF); every command takes effect
// as it is read, except an overlay, which is written into its stored
// configuration only when its closing line arrives. Each job starts outside a
// setup block and outside page mode. Lines that are not understood are
// recorded and otherwise ignored.
class SetupInterpreter {
 public:
  SetupInterpreter() = default;

  JobSummary runJob(const QByteArray& job, bool truncated = false);

  const PrinterState& state() const { return state_; }
  PrinterState& state() { return state_; }

 private:
  struct Overlay {
    bool open = false;
    QString keyword;      // "CONFIG-OVERLAY;" or "CONFIG-DOWNLOAD;"
    QString openingLine;
    int configuration = 0;
    int emulation = 0;    // 0 while the overlay holds no switch line
  };
  struct JobContext {
    bool inBlock = false;
    bool pageMode = false;
    Overlay overlay;
    int unknown = 0;
  };

  void handleLine(JobContext& ctx, const QString& line);
  bool handleBlockLine(JobContext& ctx, const QString& line);
  bool handleOverlayLine(JobContext& ctx, const QString& line);
  bool handlePageModeLine(const QString& line);
  void addUnknown(JobContext& ctx, const QString& line);

  PrinterState state_;
};

// Parses a whole decimal number as the setup language writes it: an optional
// leading minus sign and digits, no plus sign, no blanks, no leading zeros
// ("0" itself excepted, "-0" refused). Returns false for anything else or a
// value outside [min, max].
bool parseDecimal(const QString& text, int min, int max, int* value);

}  // namespace tlw::sim
