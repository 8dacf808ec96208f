#include "core/settings.h"

#include <cmath>

namespace tlw {

namespace {

struct Option {
  const char* text;
  const char* command;  // without the line end; nullptr for lists without commands
};

// Print mode: thermal transfer or direct.
const Option kMediaType[] = {
    {"Thermal Transfer", "ENGINE-MODE;X"},
    {"Direct Transfer", "ENGINE-MODE;D"},
};

const Option kOrientation[] = {
    {"Portrait", "~PAPER;ROTATE 0"},
    {"Landscape", "~PAPER;ROTATE 90"},
    {"Inverse Portrait", "~PAPER;ROTATE 180"},
    {"Inverse Landscape", "~PAPER;ROTATE 270"},
};

// The printer numbers its media handling modes 0, 1, 3 and 4 (there is no 2).
const Option kDispense[] = {
    {"Continuous", "ENGINE-MEDIA_HANDLING;0"},
    {"Tear-off Strip", "ENGINE-MEDIA_HANDLING;1"},
    {"Peel-off", "ENGINE-MEDIA_HANDLING;3"},
    {"Cut", "ENGINE-MEDIA_HANDLING;4"},
};

// Fastest first.
const Option kPrintSpeed[] = {
    {"10 in/sec (254 mm/sec)", "~PAPER;SPEED IPS 10"},
    {"9 in/sec (228.6 mm/sec)", "~PAPER;SPEED IPS 9"},
    {"8 in/sec (203.2 mm/sec)", "~PAPER;SPEED IPS 8"},
    {"7 in/sec (177.8 mm/sec)", "~PAPER;SPEED IPS 7"},
    {"6 in/sec (152.4 mm/sec)", "~PAPER;SPEED IPS 6"},
    {"5 in/sec (127 mm/sec)", "~PAPER;SPEED IPS 5"},
    {"4 in/sec (101.6 mm/sec)", "~PAPER;SPEED IPS 4"},
    {"3 in/sec (76.2 mm/sec)", "~PAPER;SPEED IPS 3"},
    {"2 in/sec (50.8 mm/sec)", "~PAPER;SPEED IPS 2"},
    {"1 in/sec (25.4 mm/sec)", "~PAPER;SPEED IPS 1"},
};

// The gap sensor is type 2 and the mark sensor type 1.
const Option kGap[] = {
    {"None (Continuous Media)", "~PAPER;LABELS 0"},
    {"Gap", "~PAPER;LABELS 2"},
    {"Mark", "~PAPER;LABELS 1"},
};

// Emulation switch lines; the inner blanks are significant and the numbers skip 3.
const Option kEmulation[] = {
    {"VEXA", "hulswitch   .e  1   0x0"},
    {"KORU", "hulswitch   .e  2   0x0"},
    {"NIMB", "hulswitch   .e  4   0x0"},
    {"OSSA", "hulswitch   .e  5   0x0"},
    {"BRUNE", "hulswitch   .e  6   0x0"},
    {"FALK", "hulswitch   .e  7   0x0"},
};

const Option kShiftUnit[] = {
    {"inch", nullptr},
    {"mm", nullptr},
};

struct Size {
  const char* inches;
  const char* millimetres;
  const char* code;  // thousandths of an inch, five digits
};

const Size kLengths[] = {
    {"1.0", "25.4", "01000"},  {"1.5", "38.1", "01500"},  {"2.0", "50.8", "02000"},
    {"3.0", "76.2", "03000"},  {"4.0", "101.6", "04000"}, {"6.0", "152.4", "06000"},
    {"8.0", "203.2", "08000"},
};

const Size kWidths[] = {
    {"1.5", "38.1", "01500"}, {"2.0", "50.8", "02000"},  {"2.5", "63.5", "02500"},
    {"3.0", "76.2", "03000"}, {"4.0", "101.6", "04000"},
};

static_assert(sizeof(kLengths) / sizeof(kLengths[0]) == LengthListLast + 1, "length table");
static_assert(sizeof(kWidths) / sizeof(kWidths[0]) == WidthListLast + 1, "width table");

struct Table {
  const Option* options;
  int count;
};

template <int N>
constexpr Table table(const Option (&options)[N]) {
  return {options, N};
}

Table optionTable(ListControl list) {
  switch (list) {
    case ListControl::MediaType: return table(kMediaType);
    case ListControl::Orientation: return table(kOrientation);
    case ListControl::Dispense: return table(kDispense);
    case ListControl::PrintSpeed: return table(kPrintSpeed);
    case ListControl::Gap: return table(kGap);
    case ListControl::Emulation: return table(kEmulation);
    case ListControl::HorzUnit:
    case ListControl::VertUnit: return table(kShiftUnit);
    case ListControl::LabelLength:
    case ListControl::LabelWidth: break;
  }
  return {nullptr, 0};
}

// `4.0" (101.6mm)`: inches with one decimal, the inch sign, a blank, millimetres.
QString sizeText(const Size& s) {
  return QString::fromLatin1(s.inches) + QLatin1String("\" (") +
         QString::fromLatin1(s.millimetres) + QLatin1String("mm)");
}

template <int N>
void fillSizes(const Size (&sizes)[N], QStringList& texts, QStringList& codes) {
  texts.clear();
  codes.clear();
  for (const Size& s : sizes) {
    texts << sizeText(s);
    codes << QString::fromLatin1(s.code);
  }
}

int slot(IgnoreBox box) { return static_cast<int>(box); }
int slot(ListControl list) { return static_cast<int>(list); }

int firstCodeContaining(const QStringList& codes, const QString& code) {
  for (int i = 0; i < codes.size(); ++i) {
    if (codes.at(i).contains(code)) return i;
  }
  return -1;
}

}  // namespace

QStringList optionTexts(ListControl list) {
  QStringList texts;
  if (list == ListControl::LabelLength) {
    for (const Size& s : kLengths) texts << sizeText(s);
    return texts;
  }
  if (list == ListControl::LabelWidth) {
    for (const Size& s : kWidths) texts << sizeText(s);
    return texts;
  }
  const Table t = optionTable(list);
  for (int i = 0; i < t.count; ++i) texts << QString::fromLatin1(t.options[i].text);
  return texts;
}

QByteArray optionCommand(ListControl list, int index) {
  const Table t = optionTable(list);
  if (index < 0 || index >= t.count || !t.options[index].command) return {};
  return QByteArray(t.options[index].command) + "\r\n";
}

int defaultIndex(ListControl list) {
  switch (list) {
    case ListControl::LabelLength: return 5;  // 6.0"
    case ListControl::LabelWidth: return 4;   // 4.0"
    case ListControl::Dispense: return 1;     // Tear-off Strip
    case ListControl::PrintSpeed: return 6;   // 4 in/sec
    case ListControl::Gap: return 1;          // Gap
    case ListControl::MediaType:
    case ListControl::Orientation:
    case ListControl::Emulation:
    case ListControl::HorzUnit:
    case ListControl::VertUnit: return 0;
  }
  return 0;
}

// ---------------------------------------------------------------------------

WizardSettings::WizardSettings(SessionFlags* session, QObject* parent)
    : QObject(parent), session_(session) {
  resetToDefaults();
}

void WizardSettings::resetToDefaults() {
  ignore_.fill(1);
  for (int i = 0; i < kListControlCount; ++i) index_[i] = defaultIndex(static_cast<ListControl>(i));
  horzShift_ = 0;
  vertShift_ = 0;
  fillSizes(kLengths, lengthTexts_, lengthValues_);
  fillSizes(kWidths, widthTexts_, widthValues_);
  emit changed();
}

std::int16_t WizardSettings::ignore(IgnoreBox box) const { return ignore_[slot(box)]; }

void WizardSettings::setIgnore(IgnoreBox box, std::int16_t value) {
  // A check box only knows checked and unchecked; anything but 0 counts as checked.
  const std::int16_t v = value == 0 ? 0 : 1;
  if (ignore_[slot(box)] == v) return;  // the box's handlers run only on a change
  ignore_[slot(box)] = v;
  if (v == 1) {
    // Checked: the governed controls go back to their default entries.
    auto reset = [this](ListControl list) { index_[slot(list)] = defaultIndex(list); };
    switch (box) {
      case IgnoreBox::MediaType: reset(ListControl::MediaType); break;
      case IgnoreBox::MediaSize:
        reset(ListControl::LabelLength);
        reset(ListControl::LabelWidth);
        break;
      case IgnoreBox::Orientation: reset(ListControl::Orientation); break;
      case IgnoreBox::Dispense: reset(ListControl::Dispense); break;
      case IgnoreBox::PrintSpeed: reset(ListControl::PrintSpeed); break;
      case IgnoreBox::Gap: reset(ListControl::Gap); break;
      case IgnoreBox::Emulation: reset(ListControl::Emulation); break;
      case IgnoreBox::Horz:
      case IgnoreBox::Vert: {
        const ListControl unit =
            box == IgnoreBox::Horz ? ListControl::HorzUnit : ListControl::VertUnit;
        // Going back to "inch" is a change of the unit list like any other.
        if (index_[slot(unit)] != 0 && session_) session_->SettingsSavedToFile = kFalse;
        index_[slot(unit)] = 0;
        if (box == IgnoreBox::Horz) horzShift_ = 0;
        else vertShift_ = 0;
        break;
      }
    }
  } else if (session_) {
    session_->SettingsSavedToFile = kFalse;
  }
  emit ignoreChanged(box, v);
  emit changed();
}

int WizardSettings::index(ListControl list) const { return index_[slot(list)]; }

void WizardSettings::setIndex(ListControl list, int index) {
  // Like a list control: an index outside the list selects nothing.
  if (index < 0 || index >= count(list)) index = -1;
  if ((list == ListControl::HorzUnit || list == ListControl::VertUnit) && session_) {
    session_->SettingsSavedToFile = kFalse;
  }
  if (index_[slot(list)] == index) return;
  index_[slot(list)] = index;
  emit changed();
}

int WizardSettings::count(ListControl list) const {
  if (list == ListControl::LabelLength) return lengthTexts_.size();
  if (list == ListControl::LabelWidth) return widthTexts_.size();
  return optionTable(list).count;
}

QStringList WizardSettings::texts(ListControl list) const {
  if (list == ListControl::LabelLength) return lengthTexts_;
  if (list == ListControl::LabelWidth) return widthTexts_;
  return optionTexts(list);
}

void WizardSettings::setHorzShift(int value) {
  const std::int16_t v = static_cast<std::int16_t>(qBound(kHorzShiftMin, value, kHorzShiftMax));
  if (v == horzShift_) return;
  horzShift_ = v;
  emit changed();
}

void WizardSettings::setVertShift(int value) {
  const std::int16_t v = static_cast<std::int16_t>(qBound(kVertShiftMin, value, kVertShiftMax));
  if (v == vertShift_) return;
  vertShift_ = v;
  emit changed();
}

int WizardSettings::appendLength(const QString& text, const QString& code) {
  lengthTexts_ << text;
  lengthValues_ << code;
  emit changed();
  return lengthTexts_.size() - 1;
}

int WizardSettings::appendWidth(const QString& text, const QString& code) {
  widthTexts_ << text;
  widthValues_ << code;
  emit changed();
  return widthTexts_.size() - 1;
}

int WizardSettings::labelWidthExist(float inches) const {
  return firstCodeContaining(widthValues_, SizeCode(inches));
}

int WizardSettings::labelLengthExist(float inches) const {
  return firstCodeContaining(lengthValues_, SizeCode(inches));
}

// ---------------------------------------------------------------------------

QString SizeCode(float inches) {
  const float thousandths = inches * 1000.0f;
  const long rounded = std::lround(thousandths);
  if (rounded < 0) return QLatin1Char('-') + QString::number(-rounded).rightJustified(5, '0');
  return QString::number(rounded).rightJustified(5, QLatin1Char('0'));
}

WidthLimit MaxLabelWidth(int widthClass) {
  switch (widthClass) {
    case 4: return {4.1f, 104.14f};
    case 6: return {6.1f, 154.94f};
    case 8: return {8.1f, 205.74f};
    default: return {};
  }
}

bool LabelWidthFits(float inches, int widthClass) {
  const WidthLimit limit = MaxLabelWidth(widthClass);
  return limit.inches <= 0.0f || !(inches > limit.inches);
}

SettingState CollectSettingState(const WizardSettings& settings) {
  SettingState state;
  for (int i = 0; i < kIgnoreBoxCount; ++i) {
    if (settings.ignore(static_cast<IgnoreBox>(i)) == 0) state.SettingsSelected = kTrue;
  }
  // Print mode, label size and gap sensor type make the printer calibrate.
  if (settings.ignore(IgnoreBox::MediaSize) == 0 || settings.ignore(IgnoreBox::MediaType) == 0 ||
      settings.ignore(IgnoreBox::Gap) == 0) {
    state.CalibrationNeeded = kTrue;
  }
  return state;
}

void CollectSettingState(const WizardSettings& settings, SessionFlags& session,
                         RunRequest& request) {
  const SettingState state = CollectSettingState(settings);
  session.SettingsSelected = state.SettingsSelected;
  request.CalibrationNeeded = state.CalibrationNeeded;
}

bool IsZovModelDriver(const QString& driverName) {
  return driverName.contains(QLatin1String("Zov 5820-K35")) ||
         driverName.contains(QLatin1String("Zov5820-K35"));
}

std::int16_t WidthClassFromDriverName(const QString& driverName, std::int16_t current) {
  if (!driverName.contains(QLatin1String("Zov"))) return current;
  std::int16_t widthClass = current;
  if (driverName.contains(QLatin1String("5820-K35"))) widthClass = 4;
  if (driverName.contains(QLatin1String("5820K35"))) widthClass = 4;
  if (driverName.contains(QLatin1String("04"))) widthClass = 4;
  if (driverName.contains(QLatin1String("06"))) widthClass = 6;
  if (driverName.contains(QLatin1String("08"))) widthClass = 8;
  return widthClass;
}

bool MediaSizeFits(const WizardSettings& settings, int widthClass) {
  const int widthIndex = settings.index(ListControl::LabelWidth);
  const int lengthIndex = settings.index(ListControl::LabelLength);
  if (widthIndex < 0 || lengthIndex < 0 || widthIndex >= settings.labelWidthValues().size())
    return false;
  const float width = settings.labelWidthValues().at(widthIndex).toFloat() / 1000.0f;
  return LabelWidthFits(width, widthClass);
}

bool ValidateMediaSize(WizardSettings& settings, int widthClass) {
  const int widthIndex = settings.index(ListControl::LabelWidth);
  const int lengthIndex = settings.index(ListControl::LabelLength);
  if (widthIndex < 0 || lengthIndex < 0 || widthIndex >= settings.labelWidthValues().size()) {
    settings.setIndex(ListControl::LabelWidth, defaultIndex(ListControl::LabelWidth));
    settings.setIndex(ListControl::LabelLength, defaultIndex(ListControl::LabelLength));
    return false;
  }
  return MediaSizeFits(settings, widthClass);
}

}  // namespace tlw
