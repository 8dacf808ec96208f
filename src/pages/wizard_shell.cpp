#include "pages/wizard_shell.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

#include "core/context.h"
#include "core/exit.h"
#include "pages/custom_dialog.h"
#include "pages/finish_dialog.h"
#include "pages/load_dlg.h"
#include "pages/operation.h"
#include "pages/printer_setup.h"
#include "pages/progress_dlg.h"
#include "pages/selection.h"
#include "pages/settings_file_dialog.h"
#include "pages/zov_about.h"
#include "pages/zov_intro.h"

// The logos live in the pages library's resources; a static library must
// register them itself.
static void initPageResources() { Q_INIT_RESOURCE(resources); }

namespace tlw {

QString formName(FormId id) {
  static const char* const names[kFormCount] = {
      "CustomDialog", "Dialog",       "FinishDialog", "frmAbout",  "Intro",     "ZovAbout",
      "ZovIntro",     "LoadDlg",      "Operation",    "PrinterSetup", "Selection", "ProgressDlg"};
  return QString::fromLatin1(names[static_cast<int>(id)]);
}

WizardForm* createForm(WizardShell& shell, FormId id) {
  switch (id) {
    case FormId::CustomDialog: return new CustomDialog(shell);
    case FormId::Dialog: return new Dialog(shell);
    case FormId::FinishDialog: return new FinishDialog(shell);
    case FormId::frmAbout: return new ZovAbout(shell, FormId::frmAbout);
    case FormId::Intro: return new ZovIntro(shell, FormId::Intro);
    case FormId::ZovAbout: return new ZovAbout(shell, FormId::ZovAbout);
    case FormId::ZovIntro: return new ZovIntro(shell, FormId::ZovIntro);
    case FormId::LoadDlg: return new LoadDlg(shell);
    case FormId::Operation: return new Operation(shell);
    case FormId::PrinterSetup: return new PrinterSetup(shell);
    case FormId::Selection: return new Selection(shell);
    case FormId::ProgressDlg: return new ProgressDlg(shell);
  }
  return nullptr;
}

// ---------------------------------------------------------------------------

WizardForm::WizardForm(WizardShell& shell, FormId id) : QDialog(nullptr), shell_(shell), id_(id) {
  setObjectName(formName(id));
  // An ordinary top-level window with a close box, not a transient dialog.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setModal(false);
}

WizardForm::~WizardForm() = default;

AppContext& WizardForm::ctx() const { return shell_.ctx(); }

void WizardForm::closeEvent(QCloseEvent* event) {
  // The shell never closes a form through a close event (it hides and deletes),
  // so every close event here comes from the operator or the desktop.
  event->ignore();
  WizardShell::Busy busy(shell_);
  operatorClose();
}

void WizardForm::operatorClose() { ExitWizard(ctx()); }

// ---------------------------------------------------------------------------

WizardShell::WizardShell(AppContext& ctx, QObject* parent)
    : QObject(parent), ctx_(ctx), factory_(&createForm) {
  initPageResources();
  noWindowsLeft = [] { QCoreApplication::quit(); };
}

WizardShell::~WizardShell() {
  for (auto& form : forms_) delete form.data();
  for (auto& form : unloaded_) delete form.data();
}

WizardForm* WizardShell::find(FormId id) const { return forms_[static_cast<int>(id)].data(); }

WizardForm* WizardShell::load(FormId id) {
  auto& slot = forms_[static_cast<int>(id)];
  if (slot) return slot.data();
  // Once the program is closing no window comes back (a handler that goes on after
  // a wait would otherwise keep a window of a program that has ended).
  if (ctx_.exitStarted) return nullptr;
  WizardForm* form = factory_ ? factory_(*this, id) : nullptr;
  if (!form) return nullptr;
  slot = form;
  // Form_Load may show boxes or unload forms: keep it inside a handler scope.
  Busy busy(*this);
  form->formLoad();
  return slot.data();
}

WizardForm* WizardShell::show(FormId id) {
  WizardForm* form = load(id);
  if (!form) return nullptr;
  form->show();
  form->raise();
  form->activateWindow();
  return form;
}

void WizardShell::hide(FormId id) {
  if (WizardForm* form = find(id)) form->hide();
}

void WizardShell::unload(FormId id) {
  auto& slot = forms_[static_cast<int>(id)];
  if (!slot) return;
  QPointer<WizardForm> form = slot;
  slot.clear();
  form->hide();  // also ends a modal exec() of the form
  unloaded_.push_back(form);
  bool anyLeft = false;
  for (const auto& f : forms_) anyLeft = anyLeft || !f.isNull();
  if (!anyLeft) quitPending_ = true;
  settle();
}

std::vector<FormId> WizardShell::loadedForms() const {
  std::vector<FormId> out;
  for (int i = 0; i < kFormCount; ++i)
    if (forms_[i]) out.push_back(static_cast<FormId>(i));
  return out;
}

WizardShell::Busy::Busy(WizardShell& shell) : shell_(&shell) { ++shell.busyDepth_; }

WizardShell::Busy::~Busy() {
  if (!shell_) return;
  --shell_->busyDepth_;
  shell_->settle();
}

void WizardShell::settle() {
  if (busyDepth_ > 0) return;
  // No handler of any form is on the stack now: the unloaded forms can go. The
  // deletion itself waits for the event loop, because the code that called us
  // (a button's click delivery, say) may still touch the widget on its way out.
  for (auto& form : unloaded_)
    if (form) form->deleteLater();
  unloaded_.clear();
  if (quitPending_) {
    bool anyLeft = false;
    for (const auto& f : forms_) anyLeft = anyLeft || !f.isNull();
    quitPending_ = false;
    if (!anyLeft && noWindowsLeft) noWindowsLeft();
  }
}

// --- Navigator ---

void WizardShell::closeAllWindows() {
  Busy busy(*this);
  for (int i = 0; i < kFormCount; ++i) unload(static_cast<FormId>(i));
}

void WizardShell::openSettingsFileDialog(FileDialogMode mode) {
  // The dialog is created for each opening and takes its mode before it shows.
  unload(FormId::Dialog);
  if (auto* dialog = get<Dialog>(FormId::Dialog)) {
    dialog->setDialogFlag(mode);
    show(FormId::Dialog);
  }
}

void WizardShell::showSetupPage2() { show(FormId::PrinterSetup); }

}  // namespace tlw
