#include "pages/custom_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/boxes.h"
#include "core/context.h"
#include "core/settings.h"
#include "pages/page_parts.h"

namespace tlw {

using namespace pageparts;

namespace {

constexpr double kMmPerInch = 25.4;

// Halves away from zero, as the size texts and codes round.
double roundAway(double v) { return v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5); }

}  // namespace

CustomDimensions& CustomDialog::stored() {
  static CustomDimensions values;
  return values;
}

QString CustomDialog::oneDecimal(double value) {
  const double tenths = roundAway(value * 10.0);
  const bool negative = tenths < 0;
  const long long t = static_cast<long long>(std::fabs(tenths));
  QString text = QString::number(t / 10) + QLatin1Char('.') + QString::number(t % 10);
  if (negative && t != 0) text.prepend(QLatin1Char('-'));
  return text;
}

QString CustomDialog::sizeText(float inches, float millimetres) {
  return oneDecimal(inches) + QStringLiteral("\" (") + oneDecimal(millimetres) +
         QStringLiteral("mm)");
}

QString CustomDialog::boxText(float value) {
  return QString::number(static_cast<double>(value), 'g', 7);
}

CustomDialog::CustomDialog(WizardShell& shell) : WizardForm(shell, FormId::CustomDialog) {
  setWindowTitle(QStringLiteral("Custom Form Definition"));
  // On top of page 1, which stays visible but takes no input meanwhile.
  setWindowModality(Qt::ApplicationModal);

  Title = heading(this, "Title", QStringLiteral("Custom Form Definition"));
  Subtitle = label(this, "Subtitle", QStringLiteral("Enter the custom form dimensions"));
  Instruction = label(this, "Instruction",
                      QStringLiteral("Enter in the dimension(s) you which to support. You can "
                                     "enter in new dimensions for either the width, length, or "
                                     "both."),
                      true);
  WidthLabel = label(this, "WidthLabel", QStringLiteral("Width:"));
  LengthLabel = label(this, "LengthLabel", QStringLiteral("Length:"));
  auto box = [this](const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(110);
    return edit;
  };
  WidthValueInch = box("WidthValueInch");
  WidthValueMM = box("WidthValueMM");
  HeightValueInch = box("HeightValueInch");
  HeightValueMM = box("HeightValueMM");
  OKButton = button(this, "OKButton", QStringLiteral("OK"));
  CancelButton = button(this, "CancelButton", QStringLiteral("Cancel"));
  OKButton->setDefault(true);

  auto* grid = new QGridLayout;
  grid->addWidget(WidthLabel, 0, 0);
  grid->addWidget(WidthValueInch, 0, 1);
  grid->addWidget(label(this, "WidthInchUnit", QStringLiteral("Inches")), 0, 2);
  grid->addWidget(WidthValueMM, 0, 3);
  grid->addWidget(label(this, "WidthMMUnit", QStringLiteral("mm")), 0, 4);
  grid->addWidget(LengthLabel, 1, 0);
  grid->addWidget(HeightValueInch, 1, 1);
  grid->addWidget(label(this, "LengthInchUnit", QStringLiteral("Inches")), 1, 2);
  grid->addWidget(HeightValueMM, 1, 3);
  grid->addWidget(label(this, "LengthMMUnit", QStringLiteral("mm")), 1, 4);
  grid->setColumnStretch(5, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Title);
  layout->addWidget(Subtitle);
  layout->addWidget(line(this, "Line1"));
  layout->addWidget(Instruction);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addLayout(buttonRow({OKButton, CancelButton}));
  resize(480, 260);

  connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void CustomDialog::OKButton_Click() {
  WizardShell::Busy busy(shell());
  AppContext& c = ctx();
  CustomDimensions& d = stored();

  // Reads one dimension: the inch box wins when both hold text. False (after the
  // notice) when the box to be read holds no number; `given` tells whether either
  // box held text.
  auto read = [&c](QLineEdit* inchBox, QLineEdit* mmBox, float& inch, float& mm, bool& given) {
    given = false;
    double v = 0;
    if (!inchBox->text().isEmpty()) {
      if (!parseNumber(inchBox->text(), v)) return false;
      inch = static_cast<float>(v);
      mm = static_cast<float>(static_cast<double>(inch) * kMmPerInch);
      given = true;
    } else if (!mmBox->text().isEmpty()) {
      if (!parseNumber(mmBox->text(), v)) return false;
      mm = static_cast<float>(v);
      inch = static_cast<float>(static_cast<double>(mm) / kMmPerInch);
      given = true;
    }
    return true;
  };
  // Nothing is stored until both dimensions read as numbers.
  CustomDimensions next = d;
  bool widthGiven = false, lengthGiven = false;
  if (!read(WidthValueInch, WidthValueMM, next.CustomWidthInch, next.CustomWidthMM, widthGiven) ||
      !read(HeightValueInch, HeightValueMM, next.CustomLengthInch, next.CustomLengthMM,
            lengthGiven)) {
    ShowNotice(c, QStringLiteral("Please enter a number."));
    return;
  }
  d = next;

  auto writeBoxes = [this, &d] {
    WidthValueInch->setText(boxText(d.CustomWidthInch));
    WidthValueMM->setText(boxText(d.CustomWidthMM));
    HeightValueInch->setText(boxText(d.CustomLengthInch));
    HeightValueMM->setText(boxText(d.CustomLengthMM));
  };
  writeBoxes();

  bool adjusted = false;
  auto setWidth = [&](float inch, float mm) {
    d.CustomWidthInch = inch;
    d.CustomWidthMM = mm;
    adjusted = true;
  };
  auto setLength = [&](float inch, float mm) {
    d.CustomLengthInch = inch;
    d.CustomLengthMM = mm;
    adjusted = true;
  };
  const double width = d.CustomWidthInch;
  if (widthGiven && width < 0.8) setWidth(kMinWidthInch, kMinWidthMM);
  // A printer whose width class is unknown counts as a 4-inch printer from now on.
  if (c.printer.PrintWidthClass < 4) c.printer.PrintWidthClass = 4;
  if (widthGiven) {
    // Compared in single precision, like the stored value: 8.1f is a little above
    // the double 8.1, so a double comparison would cut the largest allowed width
    // again on every OK and the operator could never add it.
    const std::int16_t cls = c.printer.PrintWidthClass;
    if (d.CustomWidthInch > 4.1f && cls == 4) setWidth(4.1f, 104.14f);
    if (d.CustomWidthInch > 6.1f && cls == 6) setWidth(6.1f, 154.94f);
    if (d.CustomWidthInch > 8.1f && cls == 8) setWidth(8.1f, 205.74f);
  }
  if (lengthGiven && static_cast<double>(d.CustomLengthInch) < 0.25)
    setLength(kMinLengthInch, kMinLengthMM);
  if (lengthGiven && static_cast<double>(d.CustomLengthInch) > kLongestLength)
    setLength(kMaxLengthInch, kMaxLengthMM);

  if (adjusted) {
    writeBoxes();
    ShowNotice(c, QStringLiteral("Allowable Form Dimension(s) Exceeded!\r\n"
                                 "The dimension(s) have been changed to reflect the "
                                 "minimum/maximum allowable"));
    return;  // the operator sees the new values and presses OK again
  }

  if (WizardSettings* s = c.settings) {
    if (widthGiven && d.CustomWidthInch > 0) {
      const int index = s->labelWidthExist(d.CustomWidthInch);
      if (index < 0 || index >= s->count(ListControl::LabelWidth)) {
        const int added = s->appendWidth(sizeText(d.CustomWidthInch, d.CustomWidthMM),
                                         SizeCode(d.CustomWidthInch));
        s->setIndex(ListControl::LabelWidth, added);
      } else {
        s->setIndex(ListControl::LabelWidth, index);
      }
    }
    if (lengthGiven && d.CustomLengthInch > 0) {
      const int index = s->labelLengthExist(d.CustomLengthInch);
      if (index < 0 || index >= s->count(ListControl::LabelLength)) {
        const int added = s->appendLength(sizeText(d.CustomLengthInch, d.CustomLengthMM),
                                          SizeCode(d.CustomLengthInch));
        s->setIndex(ListControl::LabelLength, added);
      } else {
        s->setIndex(ListControl::LabelLength, index);
      }
    }
  }
  shell().show(FormId::Operation);
  shell().unload(FormId::CustomDialog);
}

void CustomDialog::CancelButton_Click() {
  WizardShell::Busy busy(shell());
  shell().show(FormId::Operation);
  shell().unload(FormId::CustomDialog);
}

}  // namespace tlw
