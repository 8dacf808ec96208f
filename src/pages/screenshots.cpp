#include "pages/screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

#include "pages/progress_dlg.h"

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
    // The progress window is shown as it looks in the middle of a run.
    if (auto* progress = qobject_cast<ProgressDlg*>(form)) {
      progress->progressChanged(40);
      progress->statusLogChanged(
          QStringLiteral("Initializing ....\r\nRequesting active emulation to be changed.\r\n"
                         "  ... Request received OK\r\nRequesting loading of configuration #2 to "
                         "set active emulation.\r\n  ... Request received OK\r\nSending "
                         "configuration update request to printer.\r\n  ... Request received OK\r\n"
                         "Requesting auto calibration to be started."),
          QString());
    }
    QCoreApplication::processEvents();
    if (form->grab().save(QDir(folder).filePath(formName(id) + QStringLiteral(".png")))) ++written;
    form->hide();
  }
  return written;
}

}  // namespace tlw
