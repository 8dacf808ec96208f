#include "pages/screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

namespace tlw {

std::vector<FormId> ScreenshotForms() {
  return {FormId::ZovIntro,     FormId::Selection,    FormId::ZovAbout,     FormId::Intro,
          FormId::frmAbout,     FormId::LoadDlg,      FormId::Dialog,       FormId::Operation,
          FormId::CustomDialog, FormId::PrinterSetup, FormId::FinishDialog, FormId::ProgressDlg};
}

int SaveScreenshots(WizardShell& shell, const QString& folder) {
  QDir().mkpath(folder);
  int written = 0;
  for (FormId id : ScreenshotForms()) {
    WizardForm* form = shell.show(id);
    if (!form) continue;
    QCoreApplication::processEvents();
    if (form->grab().save(QDir(folder).filePath(formName(id) + QStringLiteral(".png")))) ++written;
    form->hide();
  }
  return written;
}

}  // namespace tlw
