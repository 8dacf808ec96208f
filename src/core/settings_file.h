#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace tlw {

struct AppContext;
class WizardSettings;

// The wizard settings file (*.tlw): a plain sequence of little-endian typed values,
// each a 16-bit type tag (2 = 16-bit integer, 8 = text) followed by the integer, or
// by a 16-bit length and that many ISO 8859-1 characters. In order: the mark
// "V1.0"; MediaTypeCB, MediaTypeCombo, MediaSizeCB; the numbers of custom label
// lengths and widths; each custom length's code and list text, then each custom
// width's; LabelLengthCombo, LabelWidthCombo; then Ignore box and value of
// orientation, media handling, print speed, gap sensor, horizontal shift, vertical
// shift and emulation. Without custom sizes the file is 92 bytes long.
//
// The settings as one file holds them, after the whole file passed its checks.
struct SettingsFileContent {
  std::int16_t mediaTypeCB = 1, mediaTypeIndex = 0, mediaSizeCB = 1;
  QStringList lengthCodes, lengthTexts;  // the custom label lengths, in list order
  QStringList widthCodes, widthTexts;    // the custom label widths
  std::int16_t lengthIndex = 5, widthIndex = 4;
  std::int16_t orientationCB = 1, orientationIndex = 0;
  std::int16_t dispenseCB = 1, dispenseIndex = 1;
  std::int16_t printSpeedCB = 1, printSpeedIndex = 6;
  std::int16_t gapCB = 1, gapIndex = 1;
  std::int16_t horzCB = 1, horzShift = 0;
  std::int16_t vertCB = 1, vertShift = 0;
  std::int16_t emulationCB = 1, emulationIndex = 0;
};

// The file bytes for the settings as they stand (custom entries are those above
// LengthListLast and WidthListLast).
QByteArray EncodeWizardSettings(const WizardSettings& settings);

// Reads and checks a whole file. Empty when the file is not a settings file or
// does not fit the lists: the mark does not begin with "V1.0", the file ends early,
// a value has the wrong type tag, an Ignore value is not 0 or 1, a custom count is
// negative or absurd, a custom code is not five or six digits, a list index lies
// beyond its list (after the file's custom entries are added) or is -1 for a
// pick-only list (all but the two size lists), or a shift lies outside its scroll
// range. Bytes after
// the last value are ignored.
std::optional<SettingsFileContent> DecodeWizardSettings(const QByteArray& bytes);

// Puts checked file content into the settings through their setters, so the
// Ignore rule runs for every box (unchecking one clears SettingsSavedToFile). The
// settings first go back to a fresh state (defaults, built-in size entries only),
// so the custom entries always land at the positions the file gives them.
void ApplySettingsFileContent(const SettingsFileContent& content, WizardSettings& settings);

// False for an empty path or one ending in a separator; otherwise true exactly when
// a file (not a directory) of that name exists.
bool FileExists(const QString& path);

// Writes ctx.settings to `path`. An existing file needs the operator's Yes to the
// overwrite question; it is written from its first byte without being emptied, so
// a longer old file keeps its tail. On success SettingsSelected is cleared and the
// result is true. A file that cannot be written gives a notice and false.
bool SaveWizardSettings(AppContext& ctx, const QString& path);

// What became of loading a settings file: loaded, or the notice that says why not.
struct LoadResult {
  bool loaded = false;
  QString notice;  // the text the wizard shows in its "Notice" box when not loaded
};

// Loads `path` into `settings`. A missing file gives "File not found. Please
// select another file."; a file that fails DecodeWizardSettings gives the three
// lines of IncompatibleFileText(). In both cases the settings stay exactly as they
// were and nothing is shown: the caller shows the notice.
LoadResult LoadWizardSettings(const QString& path, WizardSettings& settings);

// The three-line notice text of a rejected settings file.
QString IncompatibleFileText();

}  // namespace tlw
