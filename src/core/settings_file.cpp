#include "core/settings_file.h"

#include <QFile>
#include <QFileInfo>

#include "core/boxes.h"
#include "core/context.h"
#include "core/settings.h"

namespace tlw {

namespace {

constexpr std::uint16_t kTagInteger = 2;
constexpr std::uint16_t kTagText = 8;
// More custom entries than anybody adds by hand in one run; a larger count marks a
// damaged file.
constexpr int kMaxCustomEntries = 1000;
// Enough for any file the wizard writes; bytes beyond the last value are never read
// anyway, so a huge file is only read this far.
constexpr qint64 kMaxReadBytes = 4 * 1024 * 1024;

class Writer {
 public:
  void integer(int value) {
    u16(kTagInteger);
    u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
  }
  void text(const QString& value) {
    const QByteArray bytes = value.toLatin1().left(0xFFFF);
    u16(kTagText);
    u16(static_cast<std::uint16_t>(bytes.size()));
    out_ += bytes;
  }
  const QByteArray& bytes() const { return out_; }

 private:
  void u16(std::uint16_t v) {
    out_ += static_cast<char>(v & 0xFF);
    out_ += static_cast<char>(v >> 8);
  }
  QByteArray out_;
};

// Reads typed values and remembers the first problem; every read after a problem
// fails too, so the caller checks once at the end.
class Reader {
 public:
  explicit Reader(const QByteArray& bytes) : in_(bytes) {}

  bool ok() const { return ok_; }
  void fail() { ok_ = false; }

  std::int16_t integer() {
    if (u16() != kTagInteger) fail();
    return static_cast<std::int16_t>(u16());
  }
  QString text() {
    if (u16() != kTagText) fail();
    const int length = u16();
    if (!ok_ || pos_ + length > in_.size()) {
      fail();
      return {};
    }
    const QByteArray bytes = in_.mid(pos_, length);
    pos_ += length;
    return QString::fromLatin1(bytes);
  }
  // An Ignore box value: 0 or 1.
  std::int16_t box() {
    const std::int16_t v = integer();
    if (v != 0 && v != 1) fail();
    return v;
  }
  // A list index: -1 (where the list allows it) up to `count` - 1.
  std::int16_t index(int count, bool noneAllowed = true) {
    const std::int16_t v = integer();
    if (v >= count || v < (noneAllowed ? -1 : 0)) fail();
    return v;
  }
  std::int16_t ranged(int low, int high) {
    const std::int16_t v = integer();
    if (v < low || v > high) fail();
    return v;
  }

 private:
  std::uint16_t u16() {
    if (!ok_ || pos_ + 2 > in_.size()) {
      fail();
      return 0;
    }
    const auto lo = static_cast<std::uint8_t>(in_.at(pos_));
    const auto hi = static_cast<std::uint8_t>(in_.at(pos_ + 1));
    pos_ += 2;
    return static_cast<std::uint16_t>(lo | (hi << 8));
  }

  const QByteArray& in_;
  int pos_ = 0;
  bool ok_ = true;
};

bool isSizeCode(const QString& code) {
  if (code.size() < 5 || code.size() > 6) return false;
  for (QChar c : code) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

int listCount(ListControl list) { return optionTexts(list).size(); }

}  // namespace

QString IncompatibleFileText() {
  return QStringLiteral("Error Reading File\r\nIncompatible File Type Detected\r\n"
                        "Unable to load the saved settings\r\n");
}

QByteArray EncodeWizardSettings(const WizardSettings& s) {
  Writer w;
  w.text(QStringLiteral("V1.0"));
  w.integer(s.ignore(IgnoreBox::MediaType));
  w.integer(s.index(ListControl::MediaType));
  w.integer(s.ignore(IgnoreBox::MediaSize));
  const QStringList lengthTexts = s.texts(ListControl::LabelLength);
  const QStringList widthTexts = s.texts(ListControl::LabelWidth);
  const int customLengths = qMax(0, int(lengthTexts.size()) - (LengthListLast + 1));
  const int customWidths = qMax(0, int(widthTexts.size()) - (WidthListLast + 1));
  w.integer(customLengths);
  w.integer(customWidths);
  for (int i = LengthListLast + 1; i < lengthTexts.size(); ++i) {
    w.text(s.labelLengthValues().value(i));
    w.text(lengthTexts.at(i));
  }
  for (int i = WidthListLast + 1; i < widthTexts.size(); ++i) {
    w.text(s.labelWidthValues().value(i));
    w.text(widthTexts.at(i));
  }
  w.integer(s.index(ListControl::LabelLength));
  w.integer(s.index(ListControl::LabelWidth));
  w.integer(s.ignore(IgnoreBox::Orientation));
  w.integer(s.index(ListControl::Orientation));
  w.integer(s.ignore(IgnoreBox::Dispense));
  w.integer(s.index(ListControl::Dispense));
  w.integer(s.ignore(IgnoreBox::PrintSpeed));
  w.integer(s.index(ListControl::PrintSpeed));
  w.integer(s.ignore(IgnoreBox::Gap));
  w.integer(s.index(ListControl::Gap));
  w.integer(s.ignore(IgnoreBox::Horz));
  w.integer(s.horzShift());
  w.integer(s.ignore(IgnoreBox::Vert));
  w.integer(s.vertShift());
  w.integer(s.ignore(IgnoreBox::Emulation));
  w.integer(s.index(ListControl::Emulation));
  return w.bytes();
}

std::optional<SettingsFileContent> DecodeWizardSettings(const QByteArray& bytes) {
  Reader r(bytes);
  SettingsFileContent c;
  if (!r.text().startsWith(QLatin1String("V1.0"))) return std::nullopt;
  c.mediaTypeCB = r.box();
  c.mediaTypeIndex = r.index(listCount(ListControl::MediaType), false);
  c.mediaSizeCB = r.box();
  const int customLengths = r.ranged(0, kMaxCustomEntries);
  const int customWidths = r.ranged(0, kMaxCustomEntries);
  if (!r.ok()) return std::nullopt;
  auto readCustom = [&r](int n, QStringList& codes, QStringList& texts) {
    for (int i = 0; i < n && r.ok(); ++i) {
      codes << r.text();
      texts << r.text();
      if (!isSizeCode(codes.last())) r.fail();
    }
  };
  readCustom(customLengths, c.lengthCodes, c.lengthTexts);
  readCustom(customWidths, c.widthCodes, c.widthTexts);
  c.lengthIndex = r.index(LengthListLast + 1 + customLengths);
  c.widthIndex = r.index(WidthListLast + 1 + customWidths);
  // Only the two size lists take typed text (index -1); the wizard's other lists
  // are pick-only, and a job cannot be built from a list with no entry selected.
  c.orientationCB = r.box();
  c.orientationIndex = r.index(listCount(ListControl::Orientation), false);
  c.dispenseCB = r.box();
  c.dispenseIndex = r.index(listCount(ListControl::Dispense), false);
  c.printSpeedCB = r.box();
  c.printSpeedIndex = r.index(listCount(ListControl::PrintSpeed), false);
  c.gapCB = r.box();
  c.gapIndex = r.index(listCount(ListControl::Gap), false);
  c.horzCB = r.box();
  c.horzShift = r.ranged(kHorzShiftMin, kHorzShiftMax);
  c.vertCB = r.box();
  c.vertShift = r.ranged(kVertShiftMin, kVertShiftMax);
  c.emulationCB = r.box();
  c.emulationIndex = r.index(listCount(ListControl::Emulation), false);
  if (!r.ok()) return std::nullopt;
  return c;
}

void ApplySettingsFileContent(const SettingsFileContent& c, WizardSettings& s) {
  s.resetToDefaults();
  s.setIgnore(IgnoreBox::MediaType, c.mediaTypeCB);
  s.setIndex(ListControl::MediaType, c.mediaTypeIndex);
  s.setIgnore(IgnoreBox::MediaSize, c.mediaSizeCB);
  for (int i = 0; i < c.lengthCodes.size(); ++i) s.appendLength(c.lengthTexts.at(i), c.lengthCodes.at(i));
  for (int i = 0; i < c.widthCodes.size(); ++i) s.appendWidth(c.widthTexts.at(i), c.widthCodes.at(i));
  s.setIndex(ListControl::LabelLength, c.lengthIndex);
  s.setIndex(ListControl::LabelWidth, c.widthIndex);
  s.setIgnore(IgnoreBox::Orientation, c.orientationCB);
  s.setIndex(ListControl::Orientation, c.orientationIndex);
  s.setIgnore(IgnoreBox::Dispense, c.dispenseCB);
  s.setIndex(ListControl::Dispense, c.dispenseIndex);
  s.setIgnore(IgnoreBox::PrintSpeed, c.printSpeedCB);
  s.setIndex(ListControl::PrintSpeed, c.printSpeedIndex);
  s.setIgnore(IgnoreBox::Gap, c.gapCB);
  s.setIndex(ListControl::Gap, c.gapIndex);
  s.setIgnore(IgnoreBox::Horz, c.horzCB);
  s.setHorzShift(c.horzShift);
  s.setIgnore(IgnoreBox::Vert, c.vertCB);
  s.setVertShift(c.vertShift);
  s.setIgnore(IgnoreBox::Emulation, c.emulationCB);
  s.setIndex(ListControl::Emulation, c.emulationIndex);
}

bool FileExists(const QString& path) {
  if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))) {
    return false;
  }
  const QFileInfo info(path);
  return info.exists() && !info.isDir();
}

bool SaveWizardSettings(AppContext& ctx, const QString& path) {
  if (!ctx.settings) return false;
  if (FileExists(path) && !isSet(ConfirmOverwrite(ctx))) return false;
  const QByteArray bytes = EncodeWizardSettings(*ctx.settings);
  // ReadWrite opens an existing file as it is: the new values are written from
  // its first byte and a longer old file keeps its tail.
  QFile file(path);
  bool written = file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size();
  written = file.isOpen() && file.flush() && written;
  file.close();
  if (!written) {
    ShowNotice(ctx, QStringLiteral("Error Writing File\r\nUnable to save the settings\r\n"));
    return false;
  }
  ctx.session.SettingsSelected = kFalse;
  return true;
}

LoadResult LoadWizardSettings(const QString& path, WizardSettings& settings) {
  if (!FileExists(path)) return {false, QStringLiteral("File not found. Please select another file.")};
  QFile file(path);
  std::optional<SettingsFileContent> content;
  if (file.open(QIODevice::ReadOnly)) content = DecodeWizardSettings(file.read(kMaxReadBytes));
  file.close();
  if (!content) return {false, IncompatibleFileText()};
  ApplySettingsFileContent(*content, settings);
  return {true, {}};
}

}  // namespace tlw
