#include "pages/page_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>
#include <cstdlib>

#include "core/settings.h"

namespace tlw::pageparts {

QLabel* label(QWidget* parent, const char* name, const QString& text, bool wrap) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setWordWrap(wrap);
  l->setTextFormat(Qt::PlainText);
  return l;
}

QLabel* heading(QWidget* parent, const char* name, const QString& text) {
  QLabel* l = label(parent, name, text);
  QFont f = l->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.3);
  l->setFont(f);
  return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

QCheckBox* ignoreBox(QWidget* parent, const char* name) {
  auto* b = new QCheckBox(parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QComboBox* list(QWidget* parent, const char* name, bool editable) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setEditable(editable);
  if (editable) {
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
  }
  c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return c;
}

QFrame* line(QWidget* parent, const char* name) {
  auto* l = new QFrame(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setFrameShape(QFrame::HLine);
  l->setFrameShadow(QFrame::Sunken);
  return l;
}

QLayout* buttonRow(std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  for (QWidget* b : buttons) row->addWidget(b);
  return row;
}

void showIgnoreBox(QCheckBox* box, std::int16_t value) {
  const QSignalBlocker block(box);
  box->setChecked(value != 0);
}

void showSettingsList(QComboBox* combo, const WizardSettings& settings, ListControl which) {
  showList(combo, settings.texts(which), settings.index(which));
}

void bindIgnoreBox(QCheckBox* box, WizardSettings& settings, IgnoreBox which) {
  QObject::connect(box, &QCheckBox::toggled, &settings,
                   [&settings, which](bool checked) { settings.setIgnore(which, checked ? 1 : 0); });
}

void bindList(QComboBox* combo, WizardSettings& settings, ListControl which) {
  if (combo->isEditable()) {
    QObject::connect(combo, &QComboBox::editTextChanged, &settings,
                     [&settings, combo, which] { settings.setIndex(which, typedIndex(combo)); });
  }
  QObject::connect(combo, &QComboBox::currentIndexChanged, &settings,
                   [&settings, combo, which](int index) {
                     settings.setIndex(which, combo->isEditable() ? typedIndex(combo) : index);
                   });
}

QLayout* navigationRow(QWidget* back, QWidget* forward, QWidget* cancel) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(back);
  row->addWidget(forward);
  row->addSpacing(12);
  row->addWidget(cancel);
  return row;
}

static QStringList itemsOf(const QComboBox* combo) {
  QStringList out;
  for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
  return out;
}

void showList(QComboBox* combo, const QStringList& texts, int index) {
  const QSignalBlocker block(combo);
  if (itemsOf(combo) != texts) {
    const QString typed = combo->currentText();
    combo->clear();
    combo->addItems(texts);
    if (combo->isEditable()) combo->setEditText(typed);
  }
  if (index >= texts.size()) index = -1;
  if (!combo->isEditable()) {
    combo->setCurrentIndex(index);
    return;
  }
  if (index >= 0) {
    if (combo->currentIndex() != index) combo->setCurrentIndex(index);
    if (combo->currentText() != texts[index]) combo->setEditText(texts[index]);
  } else if (typedIndex(combo) >= 0) {
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
  }
}

int typedIndex(const QComboBox* combo) {
  // The entry picked from the list counts first: two size entries may read alike
  // (2.5 and 2.501 inches both show 63.5mm) and still carry different codes.
  const int current = combo->currentIndex();
  if (current >= 0 && combo->itemText(current) == combo->currentText()) return current;
  return combo->findText(combo->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

QString shiftText(int hundredths, bool millimetres) {
  // Whole hundredths of the shown unit, computed in integers: a millimetre value is
  // hundredths x 25.4, so work in tenths of a hundredth and round half away from 0.
  long long tenths = millimetres ? static_cast<long long>(hundredths) * 254
                                 : static_cast<long long>(hundredths) * 10;
  const bool negative = tenths < 0;
  const long long whole = (std::llabs(tenths) + 5) / 10;
  QString text = QString::number(whole / 100) + QLatin1Char('.') +
                 QStringLiteral("%1").arg(whole % 100, 2, 10, QLatin1Char('0'));
  if (negative && whole != 0) text.prepend(QLatin1Char('-'));
  return text;
}

bool parseNumber(const QString& text, double& value) {
  bool ok = false;
  const double v = QLocale::c().toDouble(text.trimmed(), &ok);
  if (!ok || !std::isfinite(v)) return false;
  value = v;
  return true;
}

}  // namespace tlw::pageparts
