#pragma once
// The wizard's shell on the real spooler, clock and process adapters, with
// scripted message boxes: for tests that drive the pages against a private
// cupsd. Create it after the CupsSandbox, so that the spooler talks to it.
#include <QCoreApplication>
#include <QPushButton>
#include <memory>

#include "core/context.h"
#include "core/settings.h"
#include "pages/wizard_shell.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_process_launcher.h"
#include "support/qt_app.h"
#include "support/scripted_prompts.h"

namespace tlw::test {

struct RealWizard {
  CupsSpooler spooler;
  QtClock clock;
  QtProcessLauncher processes{&clock};
  ScriptedPrompts prompts;
  AppContext ctx;
  WizardSettings settings{&ctx.session};
  std::unique_ptr<WizardShell> shell;
  int ended = 0;  // times the last window closed

  RealWizard() {
    ensureApp();
    ctx.services.spooler = &spooler;
    ctx.services.clock = &clock;
    ctx.services.prompts = &prompts;
    ctx.services.processes = &processes;
    ctx.settings = &settings;
    shell = std::make_unique<WizardShell>(ctx);
    ctx.navigator = shell.get();
    shell->noWindowsLeft = [this] { ++ended; };
  }
  ~RealWizard() { closeShell(); }

  // Destroys the shell and the pages it still holds.
  void closeShell() {
    ctx.navigator = nullptr;
    shell.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  template <class W = QWidget>
  W* find(FormId form, const char* name) {
    WizardForm* f = shell->find(form);
    return f ? f->findChild<W*>(QString::fromLatin1(name)) : nullptr;
  }
  bool click(FormId form, const char* name) {
    auto* b = find<QPushButton>(form, name);
    if (!b) return false;
    b->click();
    return true;
  }
  // The operator's way from the welcome page to page 2: Next on the welcome page,
  // the printer selection (the listed default), Start New, and page 1 left alone.
  bool walkToPage2() {
    return shell->show(FormId::ZovIntro) && click(FormId::ZovIntro, "Next") &&
           click(FormId::Selection, "Next") && click(FormId::LoadDlg, "Next") &&
           click(FormId::Operation, "Next");
  }
  QStringList boxTitles() const {
    QStringList titles;
    for (const auto& b : prompts.shown) titles << b.title;
    return titles;
  }
};

}  // namespace tlw::test
