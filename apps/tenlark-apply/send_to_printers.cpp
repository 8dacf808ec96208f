#include "send_to_printers.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <map>
#include <memory>
#include <unistd.h>
#include <vector>

#include "apply_options.h"
#include "platform/adapters/cups_connections.h"
#include "platform/adapters/cups_spooler.h"
#include "prepare.h"
#include "progress_line.h"
#include "queue_checks.h"
#include "queue_run.h"

namespace tlw {

namespace {

// The queues of one print server and the connections they share.
struct Server {
  QString host;
  int port = 0;
  std::vector<QueueRef> queues;
  std::shared_ptr<CupsConnections> connections;
};

// How each queue ended, in the order the queues were named.
struct Outcome {
  QString label;
  bool configured = false;
  QString reason;
};

}  // namespace

int SendToPrinters(const ApplyOptions& options, QTextStream& out, QTextStream& err) {
  if (options.printers.isEmpty()) {
    err << "tenlark-apply: no print queue given (--printer QUEUE)\n";
    return 2;
  }
  // The queues, grouped by print server in the order the servers first appear.
  std::vector<Server> servers;
  std::map<QString, std::size_t> serverIndex;
  for (const QString& text : options.printers) {
    const std::optional<QueueRef> ref = ParseQueueRef(text);
    if (!ref) {
      err << "tenlark-apply: not a queue name or ipp://HOST[:PORT]/printers/QUEUE: " << text << '\n';
      return 2;
    }
    auto [it, added] = serverIndex.emplace(ref->serverKey(), servers.size());
    if (added) servers.push_back({ref->host, ref->port, {}, nullptr});
    servers[it->second].queues.push_back(*ref);
  }

  // Every queue is checked before anything is sent anywhere.
  std::vector<QueueTarget> targets;
  std::vector<std::shared_ptr<CupsConnections>> targetConnections;
  std::vector<Outcome> outcomes;
  for (Server& server : servers) {
    server.connections =
        std::make_shared<CupsConnections>(server.host, server.port, options.connections);
    CupsSpooler spooler(server.connections);
    const QueueCheck check = CheckQueues(spooler, options, server.queues);
    if (check.serverUnreachable) {
      // The other servers' queues are configured all the same.
      err << check.errorText;
      for (const QueueRef& ref : server.queues)
        outcomes.push_back({ref.label, false, QStringLiteral("the print server could not be reached")});
      continue;
    }
    if (!check.ok) {
      err << check.errorText;
      return 2;
    }
    for (const QueueTarget& t : check.targets) {
      targets.push_back(t);
      targetConnections.push_back(server.connections);
    }
  }

  const bool several = options.printers.size() > 1;
  const bool terminal = isatty(fileno(stderr)) != 0;
  // On a terminal a fleet shows one progress line instead of every queue's log.
  const bool statusLines = !(terminal && several && isatty(fileno(stdout)) != 0);
  ProgressLine progress(err, static_cast<int>(targets.size()), terminal);
  QTimer redraw;  // the slowest step's age keeps counting
  QObject::connect(&redraw, &QTimer::timeout, [&progress] { progress.draw(); });
  if (progress.enabled()) redraw.start(1000);

  // Reports travel to this thread through its event queue; only this thread writes.
  std::map<QString, Outcome> finished;
  QObject receiver;
  auto handle = [&](const Report& r) {
    const QString prefix = several ? r.queue + QStringLiteral(": ") : QString();
    switch (r.kind) {
      case Report::Finished:
        finished[r.queue] = {r.queue, r.value == 1, r.text};
        progress.finished(r.queue, r.value == 1);
        return;
      case Report::Line:
        progress.line(r.queue, r.text);
        if (!statusLines) return;
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
  for (std::size_t i = 0; i < targets.size(); ++i)
    runs.push_back(std::make_unique<QueueRun>(options, targets[i], targetConnections[i], sink));
  QEventLoop loop;
  std::size_t done = 0;
  for (auto& run : runs) {
    QObject::connect(run.get(), &QThread::finished, &loop, [&] {
      if (++done == runs.size()) loop.quit();
    }, Qt::QueuedConnection);
  }
  for (auto& run : runs) run->start();
  if (done < runs.size()) loop.exec();
  for (auto& run : runs) run->wait();
  // Reports posted just before a thread ended are still queued.
  QCoreApplication::sendPostedEvents(&receiver);
  redraw.stop();
  progress.clear();

  for (const QueueTarget& t : targets) outcomes.push_back(finished[t.label]);
  // Say plainly which queues were not configured and why, then the totals.
  int configured = 0;
  for (const Outcome& o : outcomes) {
    if (o.configured) {
      ++configured;
      continue;
    }
    err << "tenlark-apply: " << o.label << ": not configured: " << o.reason << '\n';
  }
  const int notConfigured = static_cast<int>(outcomes.size()) - configured;
  err << "tenlark-apply: " << configured << " configured, " << notConfigured << " not configured\n";
  err.flush();
  return notConfigured > 0 ? 1 : 0;
}

}  // namespace tlw
