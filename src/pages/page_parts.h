#pragma once
// Small builders shared by the settings pages and their dialogs: named controls,
// the list synchronisation with the settings record and the image shift display.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLayout;
class QPushButton;
class QWidget;

namespace tlw {
class WizardSettings;
enum class IgnoreBox;
enum class ListControl;
}  // namespace tlw

namespace tlw::pageparts {

QLabel* label(QWidget* parent, const char* name, const QString& text, bool wrap = false);
// The large bold heading at the top of a page.
QLabel* heading(QWidget* parent, const char* name, const QString& text);
// `text` may carry an access-key marker ("&Next >").
QPushButton* button(QWidget* parent, const char* name, const QString& text);
// An Ignore box: a check box without caption, under the page's "Ignore" heading.
QCheckBox* ignoreBox(QWidget* parent, const char* name);
// A drop-down list. Pick-only lists accept no typed text; an editable one never
// adds the typed text as an entry and does not complete it.
QComboBox* list(QWidget* parent, const char* name, bool editable);
QFrame* line(QWidget* parent, const char* name);
// A right-aligned row of buttons.
QLayout* buttonRow(std::initializer_list<QWidget*> buttons);
// A page's navigation row: "< Back" and the forward button side by side on the
// right, a small gap, then Cancel.
QLayout* navigationRow(QWidget* back, QWidget* forward, QWidget* cancel);

// Puts a list's entries and selection into a drop-down without firing its signals.
// An editable list whose selection is -1 keeps the text the operator typed (a text
// that names an entry is cleared, since -1 means "no entry").
void showList(QComboBox* combo, const QStringList& texts, int index);
// The entry an editable list's text names exactly (the current entry when its text
// is the one shown), or -1.
int typedIndex(const QComboBox* combo);

// Shows a value of the settings record without firing the control's signals.
void showIgnoreBox(QCheckBox* box, std::int16_t value);
void showSettingsList(QComboBox* combo, const WizardSettings& settings, ListControl which);

// The operator's changes of a control go into the settings record (which then
// tells every page to show them). An editable list's selection is the entry its
// text names, -1 for any other text.
void bindIgnoreBox(QCheckBox* box, WizardSettings& settings, IgnoreBox which);
void bindList(QComboBox* combo, WizardSettings& settings, ListControl which);

// An image shift for display: `hundredths` of an inch, in inches or millimetres,
// with at least one integer digit, exactly two decimals and halves rounded away
// from zero ("0.00", "-1.00", "25.40").
QString shiftText(int hundredths, bool millimetres);

// A number the operator typed: C-locale decimal text, surrounding blanks allowed.
// False for anything else (also for infinities and NaN).
bool parseNumber(const QString& text, double& value);

}  // namespace tlw::pageparts
