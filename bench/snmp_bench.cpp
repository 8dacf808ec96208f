// The front-panel read side by side with net-snmp's own client, against a
// private snmpd on loopback (community tamvek, a Caldora description, two panel
// lines):
//
//   1. Get_SNMP_Status (description + two panel lines: three GetRequests, each
//      with its reply wait)    vs  three snmpget processes asking the same.
//   2. Decoding a front-panel reply in memory (DecodeSnmpReply), per reply, vs
//      the time one snmpget process takes for one object (shows that the
//      decoder is not where the time goes).
//
// Run:  cmake --build BUILD --target snmp_bench && BUILD/bench/snmp_bench [rounds]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "core/context.h"
#include "netstatus/network_status.h"
#include "netstatus/snmp_codec.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_udp_channel.h"
#include "support/snmpd_sandbox.h"
#include "support/snmp_replies.h"

using namespace tlw;

namespace {

double bestMs(int rounds, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer t;
    t.start();
    work();
    best = std::min(best, t.nsecsElapsed() / 1e6);
  }
  return best;
}

bool snmpget(quint16 port, const QString& oid) {
  QProcess p;
  p.start(QStringLiteral("snmpget"),
          {QStringLiteral("-v1"), QStringLiteral("-c"), QStringLiteral("tamvek"), QStringLiteral("-Oqv"),
           QStringLiteral("127.0.0.1:%1").arg(port), oid});
  return p.waitForFinished(10000) && p.exitCode() == 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

  test::SnmpdSandbox::Options options;
  options.sysDescr = QStringLiteral("Caldora Ethernet print server");
  test::SnmpdSandbox agent(options);
  if (!agent.ok()) {
    std::fprintf(stderr, "snmp_bench: no private snmpd: %s\n", qPrintable(agent.error()));
    return 1;
  }
  agent.setPanel({QStringLiteral("PAPER OUT"), QStringLiteral("LOAD MEDIA")});
  qputenv("TENLARK_SNMP_PORT", QByteArray::number(agent.port()));

  QtClock clock;
  QtUdpChannel udp;
  AppContext ctx;
  ctx.services.clock = &clock;
  ctx.services.udp = &udp;

  QString panel;
  const double ours = bestMs(rounds, [&] { panel = Get_SNMP_Status(ctx, QStringLiteral("127.0.0.1")); });
  if (panel != QStringLiteral("\tPAPER OUT\r\n\tLOAD MEDIA")) {
    std::fprintf(stderr, "snmp_bench: unexpected front panel text: %s\n", qPrintable(panel));
    return 1;
  }
  const QStringList oids = {QStringLiteral("1.3.6.1.2.1.1.1.0"), QStringLiteral("1.3.6.1.2.1.43.16.5.1.2.1.1"),
                            QStringLiteral("1.3.6.1.2.1.43.16.5.1.2.1.2")};
  bool peerOk = true;
  const double theirs = bestMs(rounds, [&] {
    for (const QString& oid : oids) peerOk = snmpget(agent.port(), oid) && peerOk;
  });
  if (!peerOk) std::fprintf(stderr, "snmp_bench: snmpget failed\n");

  // In-memory decoding of one front-panel reply, many times, per reply.
  const QByteArray reply =
      test::stringReply(QStringLiteral("1.3.6.1.2.1.43.16.5.1.2.1.1"), QByteArray("PAPER OUT"));
  const int decodes = 100000;
  const double decodeAll = bestMs(rounds, [&] {
    for (int i = 0; i < decodes; ++i) (void)DecodeSnmpReply(reply);
  });
  const double onePeer = bestMs(rounds, [&] { snmpget(agent.port(), oids[1]); });

  std::printf("%-44s %10s   %-34s %10s %7s\n", "ours", "ms", "peer", "ms", "ratio");
  std::printf("%-44s %10.2f   %-34s %10.2f %7.3f\n", "Get_SNMP_Status (3 requests)", ours,
              "3 x snmpget -v1", theirs, ours / theirs);
  std::printf("%-44s %10.5f   %-34s %10.2f %7.5f\n", "DecodeSnmpReply, one reply", decodeAll / decodes,
              "1 x snmpget -v1", onePeer, decodeAll / decodes / onePeer);
  return 0;
}
