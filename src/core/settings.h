#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "core/state.h"

namespace tlw {

// The nine settings' Ignore boxes (1 checked = leave unchanged, 0 = send).
enum class IgnoreBox {
  MediaType,    // MediaTypeCB
  MediaSize,    // MediaSizeCB (label length and width)
  Orientation,  // OrientationCB
  Dispense,     // DispenseCB
  PrintSpeed,   // PrintSpeedCB
  Gap,          // GapCB
  Horz,         // HorzCB
  Vert,         // VertCB
  Emulation,    // EmulationCB
};
constexpr int kIgnoreBoxCount = 9;

// The list controls of the two settings pages. A selection is a 0-based index,
// -1 when typed text matches no entry.
enum class ListControl {
  MediaType,    // MediaTypeCombo
  LabelLength,  // LabelLengthCombo
  LabelWidth,   // LabelWidthCombo
  Orientation,  // OrientationCombo
  Dispense,     // DispenseCombo
  PrintSpeed,   // PrintSpeedCombo
  Gap,          // GapCombo
  Emulation,    // EmulationCombo
  HorzUnit,     // HorzShiftUnit ("inch", "mm")
  VertUnit,     // VertShiftUnit
};
constexpr int kListControlCount = 10;

// Index of the last built-in entry of the two size lists; entries above are custom.
constexpr int LengthListLast = 6;
constexpr int WidthListLast = 4;

// Limits of the custom label sizes, in inches and millimetres.
constexpr float kMinWidthInch = 0.8f, kMinWidthMM = 20.32f;
constexpr float kMinLengthInch = 0.25f, kMinLengthMM = 6.35f;
constexpr double kLongestLength = 99.01;  // above it a length becomes the maximum
constexpr float kMaxLengthInch = 99.0f, kMaxLengthMM = 2514.6f;

// The widest label a printer of a width class takes: 4.1, 6.1 or 8.1 inches.
// Kept in single precision, like the stored sizes: exactly 8.1f passes on an
// 8-inch printer. A width class other than 4, 6 or 8 has no limit (0).
struct WidthLimit {
  float inches = 0.0f;
  float millimetres = 0.0f;
};
WidthLimit MaxLabelWidth(int widthClass);
// True when a label `inches` wide fits a printer of the width class.
bool LabelWidthFits(float inches, int widthClass);
// "00###": a size in thousandths of an inch, rounded half away from zero, at least
// five digits (a leading minus before them for a negative size). The code the
// size lists and the jobs use.
QString SizeCode(float inches);

// Scroll ranges of the two image shifts, in 1/100 inch.
constexpr int kHorzShiftMin = -100, kHorzShiftMax = 100;
constexpr int kVertShiftMin = -100, kVertShiftMax = 1280;

// The fixed list texts of a list control (for the size lists: the built-in entries).
QStringList optionTexts(ListControl list);
// The command table entry behind a list entry, CR LF appended ("ENGINE-MODE;X\r\n").
// Empty for an index outside the table and for lists without commands.
QByteArray optionCommand(ListControl list, int index);
// The entry a list control selects when its page is created.
int defaultIndex(ListControl list);

// The wizard's settings record: what the two settings pages display and what the
// settings file, the job builders and the settings collector read. Every change
// goes through the setters, which apply the same rules as the operator's clicks.
class WizardSettings : public QObject {
  Q_OBJECT
 public:
  // `session` receives the SettingsSavedToFile changes of the Ignore rule.
  explicit WizardSettings(SessionFlags* session, QObject* parent = nullptr);

  // Back to a freshly created pair of pages: every box checked, default entries,
  // shifts 0, units "inch", only the built-in size entries.
  void resetToDefaults();

  std::int16_t ignore(IgnoreBox box) const;
  // The Ignore rule: checking (1) selects the governed controls' defaults again
  // (custom size entries stay in the lists); unchecking (0) clears SettingsSavedToFile.
  void setIgnore(IgnoreBox box, std::int16_t value);

  int index(ListControl list) const;
  // Selects an entry (-1 for none). Selecting a shift unit clears SettingsSavedToFile.
  void setIndex(ListControl list, int index);
  // Number of entries the list holds now (size lists grow with custom entries).
  int count(ListControl list) const;
  // The entries' texts (for size lists including custom entries).
  QStringList texts(ListControl list) const;

  std::int16_t horzShift() const { return horzShift_; }
  std::int16_t vertShift() const { return vertShift_; }
  void setHorzShift(int value);  // clamped to the scroll range
  void setVertShift(int value);

  // Size code tables parallel to the size lists: five-digit thousandths of an inch.
  const QStringList& labelLengthValues() const { return lengthValues_; }
  const QStringList& labelWidthValues() const { return widthValues_; }
  // Appends a custom entry to a size list and its code table; returns its index.
  int appendLength(const QString& text, const QString& code);
  int appendWidth(const QString& text, const QString& code);
  // The first index whose code holds `inches` x 1000 written with at least five
  // digits, or -1.
  int labelWidthExist(float inches) const;
  int labelLengthExist(float inches) const;

 signals:
  // Any value of the record changed.
  void changed();
  // An Ignore box changed (after the rule ran).
  void ignoreChanged(tlw::IgnoreBox box, std::int16_t value);

 private:
  SessionFlags* session_;
  std::array<std::int16_t, kIgnoreBoxCount> ignore_{};
  std::array<int, kListControlCount> index_{};
  std::int16_t horzShift_ = 0;
  std::int16_t vertShift_ = 0;
  QStringList lengthTexts_, lengthValues_, widthTexts_, widthValues_;
};

// What the nine Ignore boxes select: any setting at all, and one that makes the
// printer calibrate (print mode, label size, gap sensor type).
struct SettingState {
  Flag SettingsSelected = kFalse;
  Flag CalibrationNeeded = kFalse;
};
SettingState CollectSettingState(const WizardSettings& settings);
// Recomputes SettingsSelected and CalibrationNeeded into the session and the request.
void CollectSettingState(const WizardSettings& settings, SessionFlags& session,
                         RunRequest& request);
// True when the driver name holds "Zov 5820-K35" or "Zov5820-K35" (case-sensitive).
bool IsZovModelDriver(const QString& driverName);
// The width class the driver name gives; `current` when it names none (no "Zov").
std::int16_t WidthClassFromDriverName(const QString& driverName, std::int16_t current);
// True when the label size selection fits a printer of the width class: an entry
// is selected in both size lists and the width is within MaxLabelWidth.
bool MediaSizeFits(const WizardSettings& settings, int widthClass);
// MediaSizeFits; with no entry selected in either size list it also selects the
// defaults again.
bool ValidateMediaSize(WizardSettings& settings, int widthClass);

}  // namespace tlw
