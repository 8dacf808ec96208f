#pragma once
// A wizard with its real windows on doubles: fake spooler, virtual clock, scripted
// boxes and a fake process launcher; the program folder is a temporary folder.
#include <QCoreApplication>
#include <QEvent>
#include <QInputDevice>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "core/context.h"
#include "core/settings.h"
#include "pages/wizard_shell.h"
#include "support/fake_process_launcher.h"
#include "support/fake_spooler.h"
#include "support/qt_app.h"
#include "support/scripted_prompts.h"
#include "support/virtual_clock.h"

namespace tlw::test {

struct PagesHarness {
  PagesHarness() : processes(clock), settings((ensureApp(), &ctx.session)) {
    ctx.services.spooler = &spooler;
    ctx.services.clock = &clock;
    ctx.services.prompts = &prompts;
    ctx.services.processes = &processes;
    ctx.settings = &settings;
    ctx.programFolder = folder.path();
    ctx.log.setFolder(folder.path());
    ctx.log.setClock(&clock);
    shell = std::make_unique<WizardShell>(ctx);
    ctx.navigator = shell.get();
    shell->noWindowsLeft = [this] { ++programEnded; };
  }
  ~PagesHarness() {
    shell.reset();
    flush();
  }

  // Runs the deletions the shell left to the event loop.
  static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  template <class W = QWidget>
  W* control(FormId form, const char* name) {
    WizardForm* f = shell->find(form);
    return f ? f->findChild<W*>(QString::fromLatin1(name)) : nullptr;
  }
  // Clicks a button of a loaded form; false when the form or the button is missing.
  bool click(FormId form, const char* name) {
    auto* button = control<QPushButton>(form, name);
    if (!button) return false;
    button->click();
    return true;
  }
  bool visible(FormId form) const {
    WizardForm* f = shell->find(form);
    return f && f->isVisible();
  }
  QStringList listed() {
    QStringList out;
    if (auto* list = control<QListWidget>(FormId::Selection, "PrinterList"))
      for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
  }
  QStringList boxTitles() const {
    QStringList out;
    for (const auto& box : prompts.shown) out << box.title;
    return out;
  }

  QTemporaryDir folder;
  VirtualClock clock;
  ScriptedPrompts prompts;
  FakeSpooler spooler;
  FakeProcessLauncher processes;
  AppContext ctx;
  WizardSettings settings;
  std::unique_ptr<WizardShell> shell;
  int programEnded = 0;
};

// Button text as shown, without the access-key marker.
inline QString shownText(QPushButton* button) {
  return button ? QString(button->text()).remove(QLatin1Char('&')) : QString();
}

// Presses Return on a window. The event goes to the window directly, with a
// keyboard of the test's own: the application's default keyboard, which a full
// dispatch would create, outlives the test application and crashes its teardown.
inline void pressReturn(QWidget* window) {
  QInputDevice keyboard(QStringLiteral("test keyboard"), 1, QInputDevice::DeviceType::Keyboard);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, 0, 0, 0, QString(), false, 1,
                  &keyboard);
  static_cast<QObject*>(window)->event(&press);
}

// The widget that Tab moves to from `from` (skipping `from`'s own parts).
inline QWidget* nextTabStop(QWidget* from) {
  QWidget* w = from->nextInFocusChain();
  while (w && w != from && (!(w->focusPolicy() & Qt::TabFocus) || from->isAncestorOf(w)))
    w = w->nextInFocusChain();
  return w;
}

}  // namespace tlw::test
