// The print queue against the CUPS command-line tools doing the same work, side by
// side in one run on a private cupsd:
//
//   1. CheckPrinter on a queue of 1,000 jobs      vs  lpstat -o QUEUE
//   2. listing 300 queues with their drivers      vs  lpstat -v
//   3. purging 500 wizard jobs among 500 others   vs  one cancel call with the same 500 ids
//
// Each figure is the best of several rounds (the peer's figure includes starting
// its process, as a user running it would pay). Prints a table of times and the
// ratio ours / peer; the target is a ratio at or below 1.0 for each row.
//
// Run:  cmake --build BUILD --target spooler_bench && BUILD/bench/spooler_bench [rounds]
// (as root or as a user who may run cupsd; it starts and stops its own scheduler).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "core/context.h"
#include "delivery/raw_channel.h"
#include "delivery/status_reader.h"
#include "platform/adapters/cups_spooler.h"
#include "support/cups_sandbox.h"

using namespace tlw;

namespace {

double bestMs(int rounds, const std::function<void()>& prepare, const std::function<void()>& work) {
  double best = 1e18;
  for (int i = 0; i < rounds; ++i) {
    if (prepare) prepare();
    QElapsedTimer t;
    t.start();
    work();
    best = std::min(best, t.nsecsElapsed() / 1e6);
  }
  return best;
}

struct Row {
  const char* what;
  double ours;
  const char* peer;
  double theirs;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

  test::CupsSandbox cups;
  if (!cups.ok()) {
    std::fprintf(stderr, "spooler_bench: no private cupsd: %s\n", qPrintable(cups.error()));
    return 1;
  }
  CupsSpooler spooler;
  AppContext ctx;
  ctx.services.spooler = &spooler;
  std::vector<Row> rows;

  // 1. A queue of 1,000 jobs held behind a stopped queue.
  {
    const QString q = QStringLiteral("Bench1000");
    cups.addQueue(q, QStringLiteral("Zov 5820-K35 4in"), test::CupsSandbox::deadDeviceUri());
    cups.pauseQueue(q);
    for (int i = 0; i < 1000; ++i)
      spooler.submitRaw(q, i % 2 ? QStringLiteral("Tenlark Command") : QStringLiteral("Label %1").arg(i),
                        QByteArray("!KVX_SETUP\r\nKVX_END\r\n"));
    ctx.printer.CurrentPrinter = q;
    QString printerReport, jobReport;
    const double ours = bestMs(rounds, {}, [&] { CheckPrinter(ctx, printerReport, jobReport); });
    if (jobReport.count(QStringLiteral("Job ID = ")) != 1000)
      std::fprintf(stderr, "spooler_bench: expected 1000 jobs in the report\n");
    QByteArray out;
    const double theirs = bestMs(rounds, {}, [&] { cups.run(QStringLiteral("lpstat"), {QStringLiteral("-o"), q}, &out); });
    rows.push_back({"CheckPrinter, 1,000 jobs", ours, "lpstat -o QUEUE", theirs});
    cups.run(QStringLiteral("cancel"), {QStringLiteral("-a"), q});
  }

  // 2. 300 queues.
  {
    for (int i = 0; i < 300; ++i)
      cups.addQueue(QStringLiteral("List%1").arg(i, 3, 10, QLatin1Char('0')),
                    QStringLiteral("Zov 5820-K35 %1in").arg(4 + 2 * (i % 3)),
                    QStringLiteral("socket://127.0.0.1:%1/?snmp=false").arg(9100 + i));
    std::size_t seen = 0;
    const double ours = bestMs(rounds, {}, [&] { seen = spooler.listPrinters().size(); });
    if (seen < 300) std::fprintf(stderr, "spooler_bench: listed only %zu queues\n", seen);
    QByteArray out;
    const double theirs = bestMs(rounds, {}, [&] { cups.run(QStringLiteral("lpstat"), {QStringLiteral("-v")}, &out); });
    rows.push_back({"listPrinters, 300 queues", ours, "lpstat -v", theirs});
  }

  // 3. 500 wizard jobs among 500 others; the wizard's are put back before each round.
  {
    const QString q = QStringLiteral("BenchPurge");
    cups.addQueue(q, QStringLiteral("Zov 5820-K35 4in"), test::CupsSandbox::deadDeviceUri());
    cups.pauseQueue(q);
    ctx.printer.CurrentPrinter = q;
    for (int i = 0; i < 500; ++i) spooler.submitRaw(q, QStringLiteral("Label %1").arg(i), "x");
    auto refill = [&] {
      for (int i = 0; i < 500; ++i) SendRawJob(ctx, QByteArray("x"));
    };
    const double ours = bestMs(rounds, refill, [&] { PurgePrintQueue(ctx); });
    if (spooler.jobs(q).value_or(std::vector<JobInfo>{}).size() != 500)
      std::fprintf(stderr, "spooler_bench: purge left the wrong jobs\n");
    QStringList ids;
    auto refillIds = [&] {
      ids.clear();
      refill();
      for (const JobInfo& j : spooler.jobs(q).value_or(std::vector<JobInfo>{}))
        if (j.document == QByteArray("Tenlark Command")) ids << QString::number(j.id);
    };
    const double theirs = bestMs(rounds, refillIds, [&] { cups.run(QStringLiteral("cancel"), ids); });
    rows.push_back({"PurgePrintQueue, 500 of 1,000", ours, "cancel ID x 500", theirs});
  }

  std::printf("%-32s %10s   %-18s %10s   %s\n", "ours", "ms", "peer", "ms", "ratio");
  bool allMet = true;
  for (const Row& r : rows) {
    const double ratio = r.ours / r.theirs;
    allMet = allMet && ratio <= 1.0;
    std::printf("%-32s %10.2f   %-18s %10.2f   %.2f\n", r.what, r.ours, r.peer, r.theirs, ratio);
  }
  std::printf("target: every ratio <= 1.00: %s\n", allMet ? "met" : "NOT met");
  return 0;
}
