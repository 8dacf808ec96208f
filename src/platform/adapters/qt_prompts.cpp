#include "platform/adapters/qt_prompts.h"

#include <QMessageBox>
#include <QPointer>


namespace tlw {

namespace {

QMessageBox::Icon toQtIcon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Question: return QMessageBox::Question;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Stop: return QMessageBox::Critical;
    case BoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

BoxAnswer QtPrompts::show(const MessageBox& box) {
  // QPointer: the box may be destroyed by the program closing while it is open.
  QPointer<QMessageBox> mb = new QMessageBox();
  mb->setAttribute(Qt::WA_DeleteOnClose, false);
  mb->setWindowTitle(box.title.isEmpty() ? defaultTitle_ : box.title);
  // The texts join their lines with CR LF; the label breaks lines at LF.
  QString text = box.text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  mb->setText(text);
  mb->setTextFormat(Qt::PlainText);
  mb->setIcon(toQtIcon(box.icon));
  mb->setWindowModality(Qt::ApplicationModal);
  if (box.buttons == BoxButtons::YesNo) {
    mb->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    mb->setDefaultButton(box.defaultButton == BoxAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    mb->setEscapeButton(QMessageBox::No);
  } else {
    mb->setStandardButtons(QMessageBox::Ok);
    mb->setDefaultButton(QMessageBox::Ok);
  }
  const int result = mb->exec();
  if (mb) delete mb.data();
  if (box.buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  return result == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

}  // namespace tlw
