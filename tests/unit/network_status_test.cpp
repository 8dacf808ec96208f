#include "netstatus/network_status.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "core/context.h"
#include "support/fake_udp_channel.h"
#include "support/memory_hive.h"
#include "support/snmp_replies.h"
#include "support/virtual_clock.h"

namespace tlw {
namespace {

using test::bytes;

const QString kDescr = "1.3.6.1.2.1.1.1.0";
const QString kLine1 = "1.3.6.1.2.1.43.16.5.1.2.1.1";
const QString kLine2 = "1.3.6.1.2.1.43.16.5.1.2.1.2";
const QString kHost = "10.1.2.3";  // never contacted: the channel is a fake

// A simulated agent behind the fake channel: answers each request 100 ms after
// it was sent with the reply stored for the requested object, from kHost:161.
class NetworkStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qunsetenv("TENLARK_SNMP_PORT");
    ctx.services.clock = &clock;
    ctx.services.udp = &udp;
    ctx.services.machineRegistry = &hive;
    ASSERT_TRUE(logDir.isValid());
    ctx.log.setFolder(logDir.path());
    udp.onSend = [this](const test::FakeUdpChannel::Sent& s) {
      const QByteArray asked = DecodeSnmpReply(s.datagram).firstName;
      auto it = answers.find(asked);
      if (it == answers.end()) return;
      for (const QByteArray& d : it->second) {
        clock.after(100, [this, d] { udp.deliver(d, replyHost, replyPort); });
      }
    };
  }

  void answer(const QString& oid, const QByteArray& datagram) {
    answers[test::oidBytes(oid)].push_back(datagram);
  }
  void answerText(const QString& oid, const QByteArray& text) {
    answer(oid, test::stringReply(oid, text));
  }
  QString logText() {
    QFile f(ctx.log.filePath());
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
  }

  test::VirtualClock clock;
  test::FakeUdpChannel udp;
  test::MemoryHive hive;
  AppContext ctx;
  QTemporaryDir logDir;
  std::map<QByteArray, std::vector<QByteArray>> answers;
  QString replyHost = kHost;
  quint16 replyPort = 161;
};

TEST_F(NetworkStatusTest, CaldoraCardGivesBothFrontPanelLines) {
  answerText(kDescr, "Caldora Ethernet");
  answerText(kLine1, "READY");
  answerText(kLine2, "ONLINE");
  EXPECT_EQ(Get_SNMP_Status(ctx, " 10.1.2.3 "), "\tREADY\r\n\tONLINE");
  ASSERT_EQ(udp.sent.size(), 3u);
  for (const auto& s : udp.sent) {
    EXPECT_EQ(s.host, kHost);  // trimmed
    EXPECT_EQ(s.port, 161);
    EXPECT_EQ(s.datagram.size(), 256);  // the whole buffer goes out
  }
  EXPECT_EQ(DecodeSnmpReply(udp.sent[0].datagram).firstName, test::oidBytes(kDescr));
  EXPECT_EQ(DecodeSnmpReply(udp.sent[2].datagram).firstName, test::oidBytes(kLine2));
  // Each wait ended by the reply, not by the clock running out.
  EXPECT_EQ(clock.waits, (std::vector<qint64>{5000, 5000, 5000}));
  EXPECT_EQ(clock.nowMs(), 1'000'000 + 300);

  // The run keeps one send buffer: the next 40-byte request goes out with the
  // tail of the last 44-byte one behind it.
  EXPECT_EQ(Get_SNMP_Status(ctx, kHost), "\tREADY\r\n\tONLINE");
  ASSERT_EQ(udp.sent.size(), 6u);
  EXPECT_EQ(udp.sent[3].datagram.mid(40, 4), bytes({0x01, 0x02, 0x05, 0x00}));
  EXPECT_EQ(udp.sent[3].datagram.mid(44), QByteArray(212, '\0'));
}

TEST_F(NetworkStatusTest, WordMustBeFollowedByABlankAndMatchExactly) {
  struct Case {
    const char* descr;
    bool caldora;
  } cases[] = {{"Caldora Ethernet", true},     {"Print server Caldora v2", true},
               {"Caldora", false},              {"caldora Ethernet", false},
               {"Caldora-X Ethernet", false},   {"Tenlark Caldora", false},
               {"  Caldora  x", true}};
  for (const Case& c : cases) {
    answers.clear();
    udp.sent.clear();
    answerText(kDescr, c.descr);
    NetworkStatus status(ctx);
    EXPECT_EQ(isSet(status.IsCaldora(kHost)), c.caldora) << c.descr;
    EXPECT_EQ(udp.sent.size(), 1u);
  }
}

TEST_F(NetworkStatusTest, NotCaldoraAndSilentAgentsGiveEmptyTextAndLogWhy) {
  ctx.options.DebugMode = kTrue;
  ctx.log.setEnabled(true);
  answerText(kDescr, "Other Ethernet");
  EXPECT_EQ(Get_SNMP_Status(ctx, kHost), QString());
  EXPECT_EQ(udp.sent.size(), 1u);
  QString log = logText();
  EXPECT_TRUE(log.contains(QStringLiteral(" - IsCaldora: SNMPString=Other Ethernet")));
  EXPECT_TRUE(log.contains(QStringLiteral(" - GetSNMPStatus: Not Caldora Printer\r\n")));

  // Nobody answers: exactly one 5-second wait, then nothing more is asked.
  answers.clear();
  udp.sent.clear();
  clock.waits.clear();
  const qint64 start = clock.nowMs();
  EXPECT_EQ(Get_SNMP_Status(ctx, kHost), QString());
  EXPECT_EQ(clock.waits, (std::vector<qint64>{5000}));
  EXPECT_EQ(clock.nowMs() - start, 5000);
  EXPECT_EQ(udp.sent.size(), 1u);
  EXPECT_TRUE(logText().contains(QStringLiteral(" - IsCaldora: Unable to connect to device\r\n")));

  // An agent that refuses the description request leaves no text either: the
  // same line, and no "SNMPString=" line with nothing after it.
  QFile::remove(ctx.log.filePath());
  answer(kDescr, test::snmpReply(test::oidBytes(kDescr), bytes({0x05, 0x00}), 2));
  EXPECT_EQ(Get_SNMP_Status(ctx, kHost), QString());
  log = logText();
  EXPECT_TRUE(log.contains(QStringLiteral(" - IsCaldora: Unable to connect to device\r\n")));
  EXPECT_FALSE(log.contains(QStringLiteral("SNMPString=")));
}

TEST_F(NetworkStatusTest, NoDebugLinesWithoutTheLogOption) {
  ctx.log.setEnabled(true);  // file would be written if the routine asked
  answerText(kDescr, "Other");
  EXPECT_EQ(Get_SNMP_Status(ctx, kHost), QString());
  EXPECT_TRUE(logText().isEmpty());
}

TEST_F(NetworkStatusTest, OnlyTheAnswerToTheQuestionAskedCounts) {
  // Before the real answer: a late sysDescr reply while line 1 is asked, replies
  // from another address and another port, and a malformed datagram.
  answerText(kDescr, "Caldora Ethernet");
  answer(kLine1, test::stringReply(kDescr, "Caldora Ethernet"));
  answerText(kLine2, "ONLINE");
  udp.onSend = [this, base = udp.onSend](const test::FakeUdpChannel::Sent& s) {
    if (DecodeSnmpReply(s.datagram).firstName == test::oidBytes(kLine1)) {
      const QByteArray real = test::stringReply(kLine1, "PAPER OUT");
      clock.after(50, [this, real] { udp.deliver(real, "10.1.2.4", 161); });
      clock.after(60, [this, real] { udp.deliver(real, kHost, 162); });
      clock.after(70, [this, real] { udp.deliver(real.left(real.size() - 3), kHost, 161); });
      clock.after(300, [this, real] { udp.deliver(real, kHost, 161); });
      // A second reply after the counted one changes nothing.
      clock.after(400, [this] { udp.deliver(test::stringReply(kLine1, "LATE"), kHost, 161); });
    }
    base(s);
  };
  EXPECT_EQ(Get_SNMP_Status(ctx, kHost), "\tPAPER OUT\r\n\tONLINE");
}

TEST_F(NetworkStatusTest, ErrorRepliesAndTinyDatagrams) {
  answerText(kDescr, "Caldora Ethernet");
  answerText(kLine1, "READY");
  // Line 2 is not served: the agent answers noSuchName with a NULL value.
  answer(kLine2, test::snmpReply(test::oidBytes(kLine2), bytes({0x05, 0x00}), 2));
  EXPECT_EQ(Get_SNMP_Status(ctx, kHost), "\tREADY\r\n\t");
  EXPECT_EQ(clock.waits, (std::vector<qint64>{5000, 5000, 5000}));
  EXPECT_EQ(clock.nowMs(), 1'000'000 + 300);  // the error reply ended the wait

  // A one-byte reply: "Error, invalid device", not a Caldora card.
  answers.clear();
  answer(kDescr, bytes({0x30}));
  NetworkStatus status(ctx);
  EXPECT_FALSE(isSet(status.IsCaldora(kHost)));
  EXPECT_EQ(status.SnmpResponse(), "Error, invalid device");
  answers.clear();
  answer(kDescr, QByteArray());
  EXPECT_FALSE(isSet(status.IsCaldora(kHost)));
  EXPECT_EQ(status.SnmpResponse(), "Error, invalid device");
}

TEST_F(NetworkStatusTest, PortComesFromTheEnvironmentWhenSet) {
  EXPECT_EQ(NetworkStatus::snmpPort(), 161);
  qputenv("TENLARK_SNMP_PORT", "16161");
  EXPECT_EQ(NetworkStatus::snmpPort(), 16161);
  replyPort = 16161;
  answerText(kDescr, "Caldora Ethernet");
  NetworkStatus status(ctx);
  EXPECT_TRUE(isSet(status.IsCaldora(kHost)));
  EXPECT_EQ(udp.sent.back().port, 16161);
  for (const char* bad : {"0", "70000", "abc", ""}) {
    qputenv("TENLARK_SNMP_PORT", bad);
    EXPECT_EQ(NetworkStatus::snmpPort(), 161) << bad;
  }
  qunsetenv("TENLARK_SNMP_PORT");
}

TEST_F(NetworkStatusTest, UnsendableRequestsCostNoWait) {
  udp.sendResult = false;
  NetworkStatus status(ctx);
  EXPECT_FALSE(isSet(status.IsCaldora(kHost)));
  EXPECT_TRUE(clock.waits.empty());
}

TEST_F(NetworkStatusTest, StatusObjectOutlivedByTheChannelReceiver) {
  {
    NetworkStatus status(ctx);
    status.snmpSend(kHost, "tamvek", kDescr);
  }
  // The receiver still registered on the channel must not touch the dead object.
  udp.deliver(test::stringReply(kDescr, "Caldora x"), kHost, 161);
  SUCCEED();
}

TEST_F(NetworkStatusTest, PortAddressFromTheRegistry) {
  const QString ports =
      "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\";
  hive.put(kHkeyLocalMachine, ports + "IP_10.1.2.3", "IPAddress", kRegSz,
           QByteArray("10.1.2.3", 9));
  EXPECT_EQ(GetPortIPAddress(ctx, "IP_10.1.2.3"), "10.1.2.3");
  EXPECT_EQ(GetPortIPAddress(ctx, "LPT1:"), QString());
  hive.put(kHkeyLocalMachine, ports + "Other", "HostName", kRegSz, QByteArray("x", 2));
  EXPECT_EQ(GetPortIPAddress(ctx, "Other"), QString());
  EXPECT_TRUE(udp.sent.empty());
  ctx.services.machineRegistry = nullptr;
  EXPECT_EQ(GetPortIPAddress(ctx, "IP_10.1.2.3"), QString());
}

}  // namespace
}  // namespace tlw
