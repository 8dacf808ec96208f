// tenlark-wizard: the wizard's windows on the real CUPS, Qt and process adapters.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "core/app_info.h"
#include "core/context.h"
#include "core/entry_options.h"
#include "core/settings.h"
#include "pages/screenshots.h"
#include "pages/wizard_shell.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/json_hive.h"
#include "platform/adapters/machine_hive.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_process_launcher.h"
#include "platform/adapters/qt_prompts.h"
#include "platform/adapters/qt_udp_channel.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(tlw::AppTitle));
  QApplication::setApplicationVersion(QStringLiteral(TENLARK_VERSION));
  // The program ends through its exit routine, not when a window happens to be
  // the last one visible (pages are hidden and shown while it runs).
  app.setQuitOnLastWindowClosed(false);

  tlw::CupsSpooler spooler;
  tlw::QtClock clock;
  tlw::QtPrompts prompts(QString::fromLatin1(tlw::AppTitle));
  tlw::QtProcessLauncher processes(&clock);
  tlw::QtUdpChannel udp;
  // The machine root: the spooler's network ports over a hive that lives for the
  // run only (the wizard keeps nothing of its own between runs).
  tlw::JsonHive writableHive;
  tlw::MachineHive machineHive(&spooler, &writableHive);

  tlw::AppContext ctx;
  ctx.programFolder = QCoreApplication::applicationDirPath();
  ctx.services.spooler = &spooler;
  ctx.services.clock = &clock;
  ctx.services.prompts = &prompts;
  ctx.services.processes = &processes;
  ctx.services.udp = &udp;
  ctx.services.machineRegistry = &machineHive;
  ctx.log.setFolder(ctx.programFolder);
  ctx.log.setClock(&clock);

  tlw::WizardSettings settings(&ctx.session);
  ctx.settings = &settings;

  tlw::WizardShell shell(ctx);
  ctx.navigator = &shell;

  const QString screenshots = qEnvironmentVariable("TENLARK_SCREENSHOTS");
  if (!screenshots.isEmpty()) {
    const int written = tlw::SaveScreenshots(shell, screenshots);
    std::fprintf(stderr, "tenlark-wizard: %d screenshots written to %s\n", written,
                 qPrintable(screenshots));
    return written > 0 ? 0 : 1;
  }

  tlw::ApplyEntryOptions(tlw::ArgumentText(argc, argv), ctx.options, ctx.session, ctx.log);

  tlw::WizardForm* welcome = shell.show(tlw::FormId::ZovIntro);
  if (!welcome) return 1;
  welcome->activateWindow();
  welcome->setFocus();
  return app.exec();
}
