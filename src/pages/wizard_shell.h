#pragma once
#include <QDialog>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "core/navigator.h"

class QCloseEvent;

namespace tlw {

struct AppContext;
class WizardShell;

// Every page and dialog of the wizard, in the order the exit routine closes them.
enum class FormId {
  CustomDialog,
  Dialog,
  FinishDialog,
  frmAbout,
  Intro,
  ZovAbout,
  ZovIntro,
  LoadDlg,
  Operation,
  PrinterSetup,
  Selection,
  ProgressDlg,
};
constexpr int kFormCount = 12;

// The form name of a form id ("ZovIntro", "Selection", ...).
QString formName(FormId id);

// Base class of every page and dialog. Each form is a top-level window (a QDialog,
// so that a "Next >" button can be the default button for Return) and has no
// Qt parent: the shell owns it.
//
// Closing: a close with the window's close box (any close event the shell did not
// start) runs the form's operatorClose(), by default ExitWizard; the window itself
// stays until ExitWizard unloads it. The program closes a form with
// WizardShell::unload(), never with close(). Escape does nothing on a page
// (reject() is a no-op); a dialog that should close on Escape overrides reject().
class WizardForm : public QDialog {
  Q_OBJECT
 public:
  WizardForm(WizardShell& shell, FormId id);
  ~WizardForm() override;

  FormId formId() const { return id_; }
  WizardShell& shell() const { return shell_; }
  AppContext& ctx() const;

  // Form_Load: runs once, right after the shell has created and registered the
  // form and before it is first shown.
  virtual void formLoad() {}

 public slots:
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The operator closed the window from its title bar.
  virtual void operatorClose();

 private:
  WizardShell& shell_;
  FormId id_;
};

// The wizard's windows: creates, shows, hides and unloads the forms and is the
// Navigator that the exit routine, the boxes and the job runner talk to.
//
// How a form is used:
//  - Add: give it a FormId (above, in exit order), a class derived from WizardForm
//    whose constructor builds the controls and whose formLoad() does Form_Load,
//    and a line in the factory of wizard_shell.cpp (createForm).
//  - Show: shell.show(FormId::X) creates the form on first use (constructor, then
//    formLoad()), then shows and activates it. Afterwards the same object is only
//    hidden and shown again, so its controls keep the operator's choices.
//    shell.load(id) creates without showing; shell.find(id) never creates.
//    Typed access: shell.get<Selection>(FormId::Selection). Once the exit routine
//    has started closing the program, no form is created any more (nullptr).
//  - Hide: shell.hide(id) or the form's own hide(); the form stays loaded.
//  - Unload: shell.unload(id) hides the form and forgets it; the next show()
//    creates a fresh one with its defaults. The object itself is deleted only once
//    no handler of any form is running (see Busy), so a handler may unload its own
//    form, or a wait inside a handler may see its form unloaded, without touching
//    freed memory. After a wait, a handler checks ctx().exitStarted (the program is
//    closing) and whether the forms it needs still exist (find()).
//  - Every event handler that shows a box, waits or runs a modal dialog starts with
//    `WizardShell::Busy busy(shell());`.
//  - The program ends when the last form is unloaded (closeAllWindows from the exit
//    routine): once no handler runs, noWindowsLeft is called (by default
//    QCoreApplication::quit).
class WizardShell : public QObject, public Navigator {
  Q_OBJECT
 public:
  using Factory = std::function<WizardForm*(WizardShell&, FormId)>;

  explicit WizardShell(AppContext& ctx, QObject* parent = nullptr);
  ~WizardShell() override;

  AppContext& ctx() const { return ctx_; }

  WizardForm* find(FormId id) const;
  bool isLoaded(FormId id) const { return find(id) != nullptr; }
  WizardForm* load(FormId id);
  WizardForm* show(FormId id);
  void hide(FormId id);
  void unload(FormId id);
  template <class T>
  T* get(FormId id) {
    return qobject_cast<T*>(load(id));
  }
  // Forms that exist now, in exit order.
  std::vector<FormId> loadedForms() const;

  // Keeps unloaded forms alive while a handler runs (see the class comment).
  class Busy {
   public:
    explicit Busy(WizardShell& shell);
    ~Busy();
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    QPointer<WizardShell> shell_;
  };
  bool busy() const { return busyDepth_ > 0; }

  // Replaces how forms are created (tests put stand-ins in).
  void setFactory(Factory factory) { factory_ = std::move(factory); }
  // Called once when the last form is gone and no handler runs.
  std::function<void()> noWindowsLeft;

  // --- Navigator ---
  void closeAllWindows() override;
  void openSettingsFileDialog(FileDialogMode mode) override;
  void showSetupPage2() override;

 private:
  void settle();

  AppContext& ctx_;
  Factory factory_;
  std::array<QPointer<WizardForm>, kFormCount> forms_;
  std::vector<QPointer<WizardForm>> unloaded_;
  int busyDepth_ = 0;
  bool quitPending_ = false;
};

// The form classes' default factory.
WizardForm* createForm(WizardShell& shell, FormId id);

}  // namespace tlw
