#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <array>

namespace tlw::sim {

// The settings the setup language changes. One set is active; the printer
// keeps eight more as stored configurations. Lengths, widths and shifts are
// in thousandths of an inch, as the jobs carry them.
struct EngineSettings {
  char printMode = 'X';    // 'X' thermal transfer, 'D' direct thermal
  int labelLength = 6000;
  int labelWidth = 4000;
  int mediaHandling = 1;   // 0 continuous, 1 tear-off, 3 peel-off, 4 cut
  int imageShiftH = 0;
  int imageShiftV = 0;
  int rotation = 0;        // degrees: 0, 90, 180, 270
  int speed = 4;           // inches per second, 1 to 10
  int sensor = 2;          // 0 none (continuous media), 1 mark, 2 gap
  int emulation = 1;       // switch number: 1, 2, 4, 5, 6, 7

  bool operator==(const EngineSettings& o) const;
  bool operator!=(const EngineSettings& o) const { return !(*this == o); }
  QJsonObject toJson() const;
  // Reads what toJson wrote; false with a reason for a missing or
  // out-of-range value (the settings are then left as they were).
  bool fromJson(const QJsonObject& o, QString* error);
};

constexpr int kStoredConfigurations = 8;
// Ranges the printer accepts for the image shifts, in thousandths of an inch.
constexpr int kShiftHMin = -1000, kShiftHMax = 1000;
constexpr int kShiftVMin = -1000, kShiftVMax = 12800;
// The unknown-line list is bounded so that a flood of garbage cannot grow the
// state file without limit; later lines are only counted.
constexpr int kMaxUnknownLines = 500;
constexpr int kMaxUnknownLineChars = 200;
// How many of the latest job texts the state keeps, and how much of each.
constexpr int kRecentJobs = 20;
constexpr int kMaxRecentJobChars = 16384;

struct RecentJob {
  long number = 0;
  QString text;       // ISO 8859-1 bytes as characters, cut at kMaxRecentJobChars
  bool cut = false;
};

struct PrinterState {
  EngineSettings active;
  int activeConfiguration = 0;  // 0 = factory settings, else the stored one last loaded or saved
  std::array<EngineSettings, kStoredConfigurations> configurations{};
  int powerUp = 0;              // 0 = factory, 1..8
  long jobs = 0;
  long calibrations = 0;
  QStringList unknownLines;
  long unknownLinesDropped = 0;
  long crlfLines = 0;           // lines ended by CR LF
  long lfLines = 0;             // lines ended by a bare LF
  long unterminatedLines = 0;   // a last line with no line end at all
  long truncatedJobs = 0;       // jobs longer than the reading limit
  QList<RecentJob> recentJobs;
  bool stalled = false;
  QString panelLine1;
  QString panelLine2;

  QJsonObject toJson() const;
  // A printer switched on again: the stored configurations and the power-up
  // choice come from an earlier state, and the power-up configuration (or
  // the factory settings) becomes active. Counters start from zero.
  bool restoreStoredSettings(const QJsonObject& o, QString* error);
};

// Names used in the JSON state for the coded values; empty for a code the
// printer does not have.
QString printModeName(char mode);
QString mediaHandlingName(int code);
QString sensorName(int code);
QString emulationName(int switchNumber);

}  // namespace tlw::sim
