#include "pages/settings_file_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/boxes.h"
#include "core/context.h"
#include "core/exit.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "pages/finish_dialog.h"
#include "pages/page_parts.h"

namespace tlw {

using namespace pageparts;

namespace {

QString qtFileChooser(QWidget* owner, const QString& title, const QString& folder,
                      const QString& filters) {
  // An open-style chooser in every mode that also takes a new name and does not
  // ask about overwriting (the save itself asks).
  QFileDialog chooser(owner, title, folder, filters);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::AnyFile);
  chooser.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (chooser.exec() != QDialog::Accepted) return QString();
  const QStringList files = chooser.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace

Dialog::FileChooser& Dialog::fileChooser() {
  static FileChooser chooser = &qtFileChooser;
  return chooser;
}

Dialog::Dialog(WizardShell& shell) : WizardForm(shell, FormId::Dialog) {
  Title = heading(this, "Title", QString());
  Subtitle = label(this, "Subtitle", QString(), true);
  FileNameLabel = label(this, "FileNameLabel", QStringLiteral("Filename:"));
  FileName = new QLineEdit(this);
  FileName->setObjectName(QStringLiteral("FileName"));
  FileNameLabel->setBuddy(FileName);
  Browse = button(this, "Browse", QStringLiteral("B&rowse"));
  OKButton = button(this, "OKButton", QStringLiteral("OK"));
  CancelButton = button(this, "CancelButton", QStringLiteral("Cancel"));
  OKButton->setDefault(true);

  auto* row = new QGridLayout;
  row->addWidget(FileNameLabel, 0, 0);
  row->addWidget(FileName, 0, 1);
  row->addWidget(Browse, 0, 2);
  row->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Title);
  layout->addWidget(Subtitle);
  layout->addWidget(line(this, "Line1"));
  layout->addLayout(row);
  layout->addStretch(1);
  layout->addLayout(buttonRow({OKButton, CancelButton}));
  resize(480, 200);

  setDialogFlag(FileDialogMode::Load);
  connect(Browse, &QPushButton::clicked, this, [this] { Browse_Click(); });
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void Dialog::setDialogFlag(FileDialogMode flag) {
  dialogFlag_ = flag;
  const QString title = saving() ? QStringLiteral("Save Wizard Settings")
                                 : QStringLiteral("Load Wizard Settings");
  setWindowTitle(title);
  Title->setText(title);
  Subtitle->setText(saving()
                        ? QStringLiteral("Please select a file to hold the wizard settings")
                        : QStringLiteral(
                              "Please select the file that contains previously saved wizard settings"));
}

void Dialog::showEvent(QShowEvent* event) {
  // The page the dialog stands in for goes out of sight while it is open.
  shell().hide(saving() ? FormId::PrinterSetup : FormId::Operation);
  WizardForm::showEvent(event);
}

bool Dialog::isInvalidFileName(const QString& name) {
  return name.isEmpty() || name == QLatin1String(" ") || name.endsWith(QLatin1Char('/')) ||
         name.endsWith(QLatin1Char('\\'));
}

QString Dialog::withExtension(const QString& name) {
  return name.contains(QLatin1Char('.')) ? name : name + QStringLiteral(".tlw");
}

void Dialog::Browse_Click() {
  WizardShell::Busy busy(shell());
  const QPointer<Dialog> self(this);
  const QString path = fileChooser()(
      this, QStringLiteral("File Browser"), ctx().programFolder,
      QStringLiteral("Wizard Settings (*.tlw);;All Files (*.*)"));
  // The chooser is modal, but the program may have begun to close meanwhile.
  if (!self || ctx().exitStarted || shell().find(FormId::Dialog) != this) return;
  if (path.isEmpty()) return;
  FileName->setText(withExtension(path));
}

void Dialog::unloadSelf() { shell().unload(FormId::Dialog); }

void Dialog::OKButton_Click() {
  WizardShell::Busy busy(shell());
  AppContext& c = ctx();
  const QPointer<Dialog> self(this);
  auto gone = [&] { return c.exitStarted || !self || shell().find(FormId::Dialog) != this; };

  if (isInvalidFileName(FileName->text())) {
    ShowNotice(c, QStringLiteral("Invalid file name. Please enter a valid file name."));
    return;
  }
  if (saving()) {
    FileName->setText(withExtension(FileName->text()));
    const bool saved = SaveWizardSettings(c, FileName->text());
    if (gone()) return;
    // Nothing was written (the operator kept an existing file, or the file could
    // not be written): the settings are not in a file, so stay and let the
    // operator choose another name or cancel.
    if (!saved) return;
    c.session.SettingsSavedToFile = kTrue;
    if (dialogFlag_ == FileDialogMode::SaveBeforeExit) {
      unloadSelf();
      ExitWizard(c);  // the settings are saved now: the program ends without asking
      return;
    }
    shell().show(FormId::FinishDialog);
  } else {
    // Load into a fresh media setup page (and page 2) with their defaults.
    const QString name = FileName->text();
    shell().unload(FormId::Operation);
    shell().unload(FormId::PrinterSetup);
    if (c.settings) c.settings->resetToDefaults();
    shell().load(FormId::Operation);
    if (c.settings) {
      const LoadResult result = LoadWizardSettings(name, *c.settings);
      if (!result.loaded) ShowNotice(c, result.notice);
    }
    if (gone()) return;
    shell().show(FormId::Operation);
  }
  unloadSelf();
}

void Dialog::CancelButton_Click() {
  WizardShell::Busy busy(shell());
  shell().show(saving() ? FormId::FinishDialog : FormId::Operation);
  unloadSelf();
}

}  // namespace tlw
