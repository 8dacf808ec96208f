#include "send_to_printers.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>
#include <QThread>
#include <memory>
#include <vector>

#include "apply_options.h"
#include "core/context.h"
#include "core/navigator.h"
#include "core/settings.h"
#include "delivery/front_panel.h"
#include "delivery/job_runner.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/json_hive.h"
#include "platform/adapters/machine_hive.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_udp_channel.h"
#include "platform/prompts.h"
#include "prepare.h"
#include "progress_line.h"
#include "queue_checks.h"

namespace tlw {

namespace {

// What a queue's thread reports to the main thread.
struct Report {
  enum Kind { Line, Progress, ErrorText } kind;
  QString queue;
  QString text;
  int value = 0;
};

using ReportSink = std::function<void(const Report&)>;

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
  void progressChanged(int value) override { sink_({Report::Progress, queue_, {}, value}); }
  void statusLogChanged(const QString&, const QString& line) override {
    sink_({Report::Line, queue_, line, 0});
  }

 private:
  QString queue_;
  ReportSink sink_;
};

// One queue's run, on its own thread with its own event loop.
class QueueRun : public QThread {
 public:
  QueueRun(const ApplyOptions& options, QueueTarget target, ReportSink sink)
      : options_(options), target_(std::move(target)), sink_(std::move(sink)) {}

  JobRunner::Outcome outcome = JobRunner::Outcome::NotRun;
  QString reason;  // why the queue was not configured
  bool prepared = false;

 protected:
  void run() override {
    QtClock clock;
    CupsSpooler spooler;
    JsonHive writable;
    MachineHive machine(&spooler, &writable);
    QtUdpChannel udp;
    ReportingPrompts prompts(target_.name, sink_);
    NoWindows windows;
    NetworkFrontPanel frontPanel;
    ReportingObserver observer(target_.name, sink_);

    AppContext ctx;
    WizardSettings settings(&ctx.session);
    ctx.settings = &settings;
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

    ApplyOptions o = options_;
    o.widthClass = target_.widthClass;
    const ApplyCheck check = PrepareApply(o, ctx);
    if (!check.ok) {
      sink_({Report::ErrorText, target_.name, check.message, 0});
      return;
    }
    prepared = true;
    ctx.printer.SelectedPrinterName = target_.name;
    ctx.printer.CurrentPrinter = target_.name;
    ctx.printer.PrinterPortName = target_.port;
    ctx.printer.PrinterDriverName = target_.driver;
    // The run ends in the program exit; the settings came from a file.
    ctx.session.SettingsSavedToFile = kTrue;

    auto runner = std::make_shared<JobRunner>(ctx);
    runner->setFrontPanelReader(&frontPanel);
    runner->addObserver(&observer);
    runner->Start_Job(check.plan);
    runner->removeObserver(&observer);
    outcome = runner->outcome();
    reason = runner->failureReason();
    ctx.networkStatus.reset();  // before the UDP channel goes
  }

 private:
  ApplyOptions options_;
  QueueTarget target_;
  ReportSink sink_;
};

}  // namespace

int SendToPrinters(const ApplyOptions& options, QTextStream& out, QTextStream& err) {
  std::vector<QueueTarget> targets;
  {
    CupsSpooler spooler;
    QueueCheck check = CheckQueues(spooler, options);
    if (!check.ok) {
      err << check.errorText;
      return check.exitCode;
    }
    targets = std::move(check.targets);
  }

  const bool several = targets.size() > 1;
  QStringList names;
  for (const QueueTarget& t : targets) names << t.name;
  ProgressLine progress(err, names);

  // Reports travel to this thread through its event queue; only this thread writes.
  QObject receiver;
  auto handle = [&](const Report& r) {
    const QString prefix = several ? r.queue + QStringLiteral(": ") : QString();
    switch (r.kind) {
      case Report::Progress: progress.set(r.queue, r.value); return;
      case Report::Line:
        progress.clear();
        for (const QString& l : TerminalLines(r.text)) out << prefix << l << '\n';
        out.flush();
        progress.draw();
        return;
      case Report::ErrorText:
        progress.clear();
        for (const QString& l : TerminalLines(r.text)) err << prefix << l << '\n';
        err.flush();
        progress.draw();
        return;
    }
  };
  const ReportSink sink = [&receiver, &handle](const Report& r) {
    QMetaObject::invokeMethod(&receiver, [r, &handle] { handle(r); }, Qt::QueuedConnection);
  };

  std::vector<std::unique_ptr<QueueRun>> runs;
  for (const QueueTarget& t : targets) runs.push_back(std::make_unique<QueueRun>(options, t, sink));
  QEventLoop loop;
  std::size_t finished = 0;
  for (auto& run : runs) {
    QObject::connect(run.get(), &QThread::finished, &loop, [&] {
      if (++finished == runs.size()) loop.quit();
    }, Qt::QueuedConnection);
  }
  for (auto& run : runs) run->start();
  if (finished < runs.size()) loop.exec();
  for (auto& run : runs) run->wait();
  // Reports posted just before a thread ended are still queued.
  QCoreApplication::sendPostedEvents(&receiver);
  progress.clear();

  for (auto& run : runs)
    if (!run->prepared) return 2;
  // The status log of a run whose update step failed still ends in "Printer
  // Successfully Configured."; say plainly which queues were not configured and why.
  int configured = 0;
  int notConfigured = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    if (runs[i]->outcome == JobRunner::Outcome::Configured) {
      ++configured;
      continue;
    }
    ++notConfigured;
    const QString reason =
        runs[i]->reason.isEmpty() ? QStringLiteral("the run was stopped") : runs[i]->reason;
    err << "tenlark-apply: " << targets[i].name << ": not configured: " << reason << '\n';
  }
  err << "tenlark-apply: " << configured << " configured, " << notConfigured << " not configured\n";
  const int code = notConfigured > 0 ? 1 : 0;
  err.flush();
  return code;
}

}  // namespace tlw
