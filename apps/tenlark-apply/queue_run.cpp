#include "queue_run.h"

#include "core/context.h"
#include "core/navigator.h"
#include "delivery/front_panel.h"
#include "delivery/job_runner.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/json_hive.h"
#include "platform/adapters/machine_hive.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_udp_channel.h"
#include "platform/prompts.h"

namespace tlw {

namespace {

// A scheduler that is busy or holds too many jobs is asked again for this long
// before a step gives up on it.
constexpr int kBusyRetryMs = 60000;

// Boxes of a windowless run: every box's text is reported on stderr; questions
// are answered No (the checks before the run already asked for --yes).
class ReportingPrompts : public Prompts {
 public:
  ReportingPrompts(QString queue, ReportSink sink) : queue_(std::move(queue)), sink_(std::move(sink)) {}
  BoxAnswer show(const MessageBox& box) override {
    if (box.buttons == BoxButtons::YesNo) return BoxAnswer::No;
    sink_({Report::ErrorText, queue_, box.text, 0});
    return BoxAnswer::Ok;
  }

 private:
  QString queue_;
  ReportSink sink_;
};

// No windows to close or show.
class NoWindows : public Navigator {
 public:
  void closeAllWindows() override {}
  void openSettingsFileDialog(FileDialogMode) override {}
  void showSetupPage2() override {}
};

class ReportingObserver : public RunObserver {
 public:
  ReportingObserver(QString queue, ReportSink sink) : queue_(std::move(queue)), sink_(std::move(sink)) {}
  void progressChanged(int) override {}  // the terminal shows counts, not meters
  void statusLogChanged(const QString&, const QString& line) override {
    sink_({Report::Line, queue_, line, 0});
  }

 private:
  QString queue_;
  ReportSink sink_;
};

}  // namespace

QueueRun::QueueRun(const ApplyOptions& options, QueueTarget target,
                   std::shared_ptr<CupsConnections> connections, ReportSink sink)
    : options_(options),
      target_(std::move(target)),
      connections_(std::move(connections)),
      sink_(std::move(sink)) {
  // A run's thread only waits and makes small requests; thousands of them run at
  // once, so each keeps a small stack.
  setStackSize(512 * 1024);
}

void QueueRun::run() {
  QtClock clock;
  CupsSpooler spooler(connections_);
  spooler.setBusyRetry(kBusyRetryMs);
  JsonHive writable;
  MachineHive machine(&spooler, &writable);
  QtUdpChannel udp;
  ReportingPrompts prompts(target_.label, sink_);
  NoWindows windows;
  NetworkFrontPanel frontPanel;
  ReportingObserver observer(target_.label, sink_);

  AppContext ctx;
  ctx.navigator = &windows;
  ctx.services.spooler = &spooler;
  ctx.services.clock = &clock;
  ctx.services.prompts = &prompts;
  ctx.services.machineRegistry = &machine;
  ctx.services.udp = &udp;
  if (!options_.logFile.isEmpty()) {
    ctx.options.DebugMode = kTrue;
    ctx.log.setFile(options_.logFile);
    ctx.log.setEnabled(true);
  }
  ctx.log.setClock(&clock);

  ctx.printer.SelectedPrinterName = target_.name;
  ctx.printer.CurrentPrinter = target_.name;
  ctx.printer.PrinterPortName = target_.port;
  ctx.printer.PrinterDriverName = target_.driver;
  // The run ends in the program exit; the settings came from a file (the plan holds them).
  ctx.session.SettingsSavedToFile = kTrue;

  auto runner = std::make_shared<JobRunner>(ctx);
  runner->setFrontPanelReader(&frontPanel);
  runner->addObserver(&observer);
  runner->Start_Job(target_.plan);
  runner->removeObserver(&observer);
  const bool configured = runner->outcome() == JobRunner::Outcome::Configured;
  QString reason = runner->failureReason();
  if (!configured && reason.isEmpty()) reason = QStringLiteral("the run was stopped");
  sink_({Report::Finished, target_.label, reason, configured ? 1 : 0});
  ctx.networkStatus.reset();  // before the UDP channel goes
}

}  // namespace tlw
