#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QProcess>
#include <QUdpSocket>

#include "core/context.h"
#include "netstatus/network_status.h"
#include "platform/adapters/qt_clock.h"
#include "platform/adapters/qt_udp_channel.h"
#include "support/qt_app.h"
#include "support/snmpd_sandbox.h"

namespace tlw {
namespace {

const QString kDescr = "1.3.6.1.2.1.1.1.0";
const QString kLine1 = "1.3.6.1.2.1.43.16.5.1.2.1.1";

// The wizard's SNMP side on real sockets against net-snmp's snmpd on loopback.
class SnmpInteropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ensureApp();
    ctx.services.clock = &clock;
    ctx.services.udp = &udp;
  }
  void TearDown() override { qunsetenv("TENLARK_SNMP_PORT"); }

  void useAgent(const test::SnmpdSandbox& agent) {
    ASSERT_TRUE(agent.ok()) << agent.error().toStdString();
    qputenv("TENLARK_SNMP_PORT", QByteArray::number(agent.port()));
  }

  // What snmpget, as a second client, reads for `oid` (value only).
  static QString snmpget(quint16 port, const QString& oid) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MIBS", "");
    p.setProcessEnvironment(env);
    p.start("snmpget", {"-v1", "-c", "tamvek", "-Oqv", "-r", "0", "-t", "2",
                        QString("127.0.0.1:%1").arg(port), oid});
    p.waitForFinished(10000);
    QString out = QString::fromLatin1(p.readAllStandardOutput()).trimmed();
    if (out.startsWith('"') && out.endsWith('"') && out.size() >= 2) out = out.mid(1, out.size() - 2);
    return out;
  }

  QtClock clock;
  QtUdpChannel udp;
  AppContext ctx;
};

TEST_F(SnmpInteropTest, CaldoraCardFrontPanelAgreesWithSnmpget) {
  test::SnmpdSandbox agent;  // "Caldora Ethernet", READY / ONLINE
  useAgent(agent);
  QElapsedTimer t;
  t.start();
  EXPECT_EQ(Get_SNMP_Status(ctx, "127.0.0.1"), "\tREADY\r\n\tONLINE");
  EXPECT_LT(t.elapsed(), 4000);  // answered, no wait ran out

  agent.setPanel({"PAPER OUT", "Error 12: check media"});
  EXPECT_EQ(Get_SNMP_Status(ctx, "localhost"), "\tPAPER OUT\r\n\tError 12: check media");
  EXPECT_EQ(snmpget(agent.port(), kLine1), "PAPER OUT");
  EXPECT_EQ(snmpget(agent.port(), kDescr), "Caldora Ethernet");
}

TEST_F(SnmpInteropTest, DescriptionEndingInTheWordIsNotRecognised) {
  test::SnmpdSandbox agent({"Tenlark Caldora", false});
  useAgent(agent);
  QElapsedTimer t;
  t.start();
  EXPECT_EQ(Get_SNMP_Status(ctx, "127.0.0.1"), QString());
  EXPECT_LT(t.elapsed(), 4000);
}

TEST_F(SnmpInteropTest, AnObjectTheAgentDoesNotServeGivesAnEmptyLine) {
  test::SnmpdSandbox agent;
  useAgent(agent);
  agent.setPanel({"OUT OF LABELS"});  // line 2 not served: noSuchName
  QElapsedTimer t;
  t.start();
  EXPECT_EQ(Get_SNMP_Status(ctx, "127.0.0.1"), "\tOUT OF LABELS\r\n\t");
  EXPECT_LT(t.elapsed(), 4000);  // the error reply ended the wait
}

TEST_F(SnmpInteropTest, DescriptionsOfEveryLengthDecodeExactly) {
  test::SnmpdSandbox agent({"x", true});
  useAgent(agent);
  const QByteArray alphabet = "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789-.";
  NetworkStatus status(ctx);
  for (int len = 1; len <= 255; ++len) {
    QByteArray text;
    for (int i = 0; i < len; ++i) text.append(alphabet[(i * 7 + len) % alphabet.size()]);
    if (text.front() == ' ') text[0] = 'L';  // no blanks at either end
    if (text.back() == ' ') text[text.size() - 1] = 'R';
    agent.setDescription(text);
    status.IsCaldora("127.0.0.1");
    ASSERT_TRUE(status.replied()) << len;
    EXPECT_EQ(status.SnmpResponse(), QString::fromLatin1(text) + QChar(u'\0')) << len;
  }
}

TEST_F(SnmpInteropTest, LongDescriptionFromTheAgentConfiguration) {
  const QString text = QString("Caldora ") + QString(247, 'w');  // 255 characters
  test::SnmpdSandbox agent({text, false});
  useAgent(agent);
  NetworkStatus status(ctx);
  EXPECT_TRUE(isSet(status.IsCaldora("127.0.0.1")));
  EXPECT_EQ(status.SnmpResponse(), text + QChar(u'\0'));
}

TEST_F(SnmpInteropTest, WrongCommunityAndSilentAgentCostOneWait) {
  test::SnmpdSandbox agent;
  useAgent(agent);
  NetworkStatus status(ctx);
  QElapsedTimer t;
  t.start();
  ASSERT_TRUE(status.snmpSend("127.0.0.1", "public", kDescr));
  status.waitForReply();
  EXPECT_FALSE(status.replied());
  EXPECT_TRUE(status.SnmpResponse().isEmpty());
  EXPECT_GE(t.elapsed(), 4900);
  EXPECT_LT(t.elapsed(), 6500);

  // Nothing listens on this port: the description request waits once, and the
  // front-panel lines are not asked for.
  qputenv("TENLARK_SNMP_PORT", QByteArray::number(test::SnmpdSandbox::freeUdpPort()));
  t.restart();
  EXPECT_EQ(Get_SNMP_Status(ctx, "127.0.0.1"), QString());
  EXPECT_GE(t.elapsed(), 4900);
  EXPECT_LT(t.elapsed(), 6500);
}

TEST_F(SnmpInteropTest, TheWhole256BytePacketIsAcceptedBySnmpd) {
  test::SnmpdSandbox agent;
  ASSERT_TRUE(agent.ok()) << agent.error().toStdString();
  // A longer request first, so the packet carries old bytes after the next one.
  SnmpPacket packet;
  for (const QString& oid : {kLine1, kDescr}) {
    SnmpMessage m;
    ASSERT_TRUE(EncodeGetRequest(m, "tamvek", oid));
    ASSERT_TRUE(BuildSnmpPacket(m, packet));
    QUdpSocket socket;
    ASSERT_TRUE(socket.bind(QHostAddress::LocalHost, 0));
    const QByteArray wire = packet.toByteArray();
    ASSERT_EQ(wire.size(), 256);
    ASSERT_EQ(socket.writeDatagram(wire, QHostAddress::LocalHost, agent.port()), 256);
    ASSERT_TRUE(socket.waitForReadyRead(3000)) << oid.toStdString();
    const QNetworkDatagram reply = socket.receiveDatagram();
    const SnmpReply decoded = DecodeSnmpReply(reply.data());
    ASSERT_TRUE(decoded.wellFormed);
    EXPECT_EQ(decoded.errorStatus, 0);
    EXPECT_EQ(decoded.firstName, m.name);
    EXPECT_EQ(decoded.text, QString(oid == kDescr ? "Caldora Ethernet" : "READY") + QChar(u'\0'));
  }
}

}  // namespace
}  // namespace tlw
