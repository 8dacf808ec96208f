#include "netstatus/snmp_codec.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QtEndian>
#include <vector>

#include "support/snmp_replies.h"

namespace tlw {
namespace {

using test::bytes;
using test::berTlv;

const QByteArray kSysDescrName = bytes({0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, 0x01, 0x00});

// A GetResponse with one binding (name, value), short-form lengths throughout.
QByteArray shortReply(const QByteArray& name, const QByteArray& valueTlv, int errorStatus = 0) {
  QByteArray binding = bytes({0x06, int(name.size())}) + name + valueTlv;
  binding = bytes({0x30, int(binding.size())}) + binding;
  const QByteArray list = bytes({0x30, int(binding.size())}) + binding;
  QByteArray pdu = bytes({0x02, 0x01, 0x01, 0x02, 0x01, errorStatus, 0x02, 0x01, 0x00}) + list;
  pdu = bytes({0xA2, int(pdu.size())}) + pdu;
  QByteArray msg = bytes({0x02, 0x01, 0x00, 0x04, 0x06}) + QByteArray("tamvek") + pdu;
  return bytes({0x30, int(msg.size())}) + msg;
}

QByteArray tlv(int tag, const QByteArray& value) {
  return bytes({tag, int(value.size())}) + value;
}

QByteArray berReply(const QByteArray& name, const QByteArray& valueTlv) {
  return test::snmpReply(name, valueTlv);
}

QString decodeText(const QByteArray& datagram) { return DecodeSnmpReply(datagram).text; }

TEST(SnmpEncoder, SystemDescriptionRequestIsTheExact40Bytes) {
  SnmpMessage m;
  ASSERT_TRUE(EncodeGetRequest(m, "tamvek", "1.3.6.1.2.1.1.1.0", 0xA0));
  SnmpPacket packet;
  ASSERT_TRUE(BuildSnmpPacket(m, packet));
  const QByteArray expected =
      bytes({0x30, 0x26, 0x02, 0x01, 0x00, 0x04, 0x06}) + QByteArray("tamvek") +
      bytes({0xA0, 0x19, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x0E, 0x30,
             0x0C, 0x06, 0x08, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, 0x01, 0x00, 0x05, 0x00});
  ASSERT_EQ(expected.size(), 40);
  const QByteArray wire = packet.toByteArray();
  ASSERT_EQ(wire.size(), 256);
  EXPECT_EQ(wire.left(40), expected);
  EXPECT_EQ(wire.mid(40), QByteArray(216, '\0'));  // fresh buffer: zeros after
}

TEST(SnmpEncoder, FrontPanelRequestsAre44BytesAndKeepOldBytesAfterAShorterMessage) {
  SnmpPacket packet;
  for (int line : {1, 2}) {
    SnmpMessage m;
    ASSERT_TRUE(EncodeGetRequest(m, "tamvek", QString("1.3.6.1.2.1.43.16.5.1.2.1.%1").arg(line)));
    ASSERT_TRUE(BuildSnmpPacket(m, packet));
    const QByteArray expected =
        bytes({0x30, 0x2A, 0x02, 0x01, 0x00, 0x04, 0x06}) + QByteArray("tamvek") +
        bytes({0xA0, 0x1D, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x12, 0x30,
               0x10, 0x06, 0x0C, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x2B, 0x10, 0x05, 0x01, 0x02, 0x01,
               line, 0x05, 0x00});
    ASSERT_EQ(expected.size(), 44);
    EXPECT_EQ(packet.toByteArray().left(44), expected);
  }
  // A shorter message laid over the 44-byte one leaves bytes 40..43 as they were.
  const QByteArray before = packet.toByteArray();
  SnmpMessage m;
  ASSERT_TRUE(EncodeGetRequest(m, "tamvek", "1.3.6.1.2.1.1.1.0"));
  ASSERT_TRUE(BuildSnmpPacket(m, packet));
  EXPECT_EQ(packet.toByteArray().mid(40), before.mid(40));
  EXPECT_EQ(packet.toByteArray().mid(40, 4), bytes({0x01, 0x02, 0x05, 0x00}));
}

TEST(SnmpEncoder, ObjectIdentifierRules) {
  QByteArray a, b;
  ASSERT_TRUE(EncodeObjectIdentifier("1.3.6.1.2.1.1.1.0.", a));
  ASSERT_TRUE(EncodeObjectIdentifier(" 1.3.6.1.2.1.1.1.0 ", b));
  EXPECT_EQ(a, kSysDescrName);
  EXPECT_EQ(b, kSysDescrName);
  ASSERT_TRUE(EncodeObjectIdentifier("1.3.200.127.128.16383", a));
  EXPECT_EQ(a, bytes({0x2B, 0x81, 0x48, 0x7F, 0x81, 0x00, 0xFF, 0x7F}));
  // Refused: arcs the two-byte form cannot hold, non-numbers, empty pieces.
  for (const char* bad : {"1.3.16384", "1.3.6.x", "1.3..6", "", "1", "1.3.-1", "1.3.6.."}) {
    EXPECT_FALSE(EncodeObjectIdentifier(bad, a)) << bad;
    EXPECT_TRUE(a.isEmpty()) << bad;
  }
}

TEST(SnmpEncoder, RefusesWhatWouldNotFitAndLeavesThePacketAlone) {
  SnmpMessage m;
  EXPECT_FALSE(EncodeGetRequest(m, "   ", "1.3.6.1"));
  EXPECT_FALSE(EncodeGetRequest(m, "tamvek", "1.3.6.x"));
  // 24 + n + j = 127 is the longest short-form message; one more byte is refused.
  const QString oid97 = "1.3" + QString(".1").repeated(96);  // j = 97
  EXPECT_TRUE(EncodeGetRequest(m, "tamvek", oid97));
  EXPECT_EQ(m.messageLength, 127);
  EXPECT_FALSE(EncodeGetRequest(m, "tamvek", oid97 + ".1"));
  EXPECT_FALSE(EncodeGetRequest(m, QString(200, 'c'), "1.3.6.1"));

  // A hand-made message beyond 256 bytes is not laid out at all.
  SnmpPacket packet;
  packet.bytes.fill(0xEE);
  SnmpMessage big;
  big.community = QByteArray(300, 'x');
  EXPECT_FALSE(BuildSnmpPacket(big, packet));
  EXPECT_EQ(packet.bytes[0], 0xEE);
}

TEST(SnmpDecoder, NumbersFollowTheHexLiteralRule) {
  struct Case {
    QByteArray value;
    const char* text;
  } cases[] = {
      {bytes({0x00, 0xC8}), "200\r\n"},
      {bytes({0xFF}), "255\r\n"},
      {bytes({0xFF, 0xFF}), "-1\r\n"},
      {bytes({0x00, 0x01, 0x00, 0x00}), "65536\r\n"},
      {bytes({0x80, 0x00}), "-32768\r\n"},
      {bytes({0xFF, 0xFF, 0xFF, 0xFF}), "-1\r\n"},
      {bytes({0x00, 0xFF, 0xFF, 0xFF, 0xFF}), "-1\r\n"},  // leading zero byte of BER
      {QByteArray(), "0\r\n"},
  };
  for (int tag : {0x02, 0x41, 0x42, 0x43, 0x03, 0x08}) {
    for (const Case& c : cases) {
      EXPECT_EQ(decodeText(shortReply(kSysDescrName, tlv(tag, c.value))), QString(c.text))
          << "tag " << tag << " value " << c.value.toHex().constData();
    }
  }
  // More than four significant bytes have no number: empty text.
  EXPECT_EQ(decodeText(shortReply(kSysDescrName, tlv(0x02, bytes({1, 2, 3, 4, 5})))), QString());
}

TEST(SnmpDecoder, NullAndIpAddressAsDottedText) {
  EXPECT_EQ(decodeText(shortReply(kSysDescrName, bytes({0x05, 0x00}))), "0.0.0.0\r\n");
  EXPECT_EQ(decodeText(shortReply(kSysDescrName, tlv(0x40, bytes({10, 1, 2, 3})))),
            "10.1.2.3\r\n");
  EXPECT_EQ(decodeText(shortReply(kSysDescrName, tlv(0x40, bytes({192, 168, 0, 255})))),
            "192.168.0.255\r\n");
  EXPECT_EQ(FormatIPAddress(qToBigEndian<quint32>(0x7F000001)), "127.0.0.1");
}

TEST(SnmpDecoder, OctetStringCarriesOneExtraCharacter) {
  // Last element of the datagram: the extra character is the 0 after it.
  const QString last = decodeText(shortReply(kSysDescrName, tlv(0x04, "ABC")));
  EXPECT_EQ(last, QString("ABC") + QChar(u'\0'));
  EXPECT_EQ(last.size(), 4);
  // An empty string is just the extra character.
  EXPECT_EQ(decodeText(shortReply(kSysDescrName, tlv(0x04, ""))), QString(QChar(u'\0')));
  // Bytes above 0x7F are ISO 8859-1 characters.
  EXPECT_EQ(decodeText(shortReply(kSysDescrName, tlv(0x04, bytes({0xE9, 0x41})))),
            QString::fromLatin1("\xE9" "A") + QChar(u'\0'));
}

TEST(SnmpDecoder, UnknownTagsAndLastValueStanding) {
  EXPECT_EQ(decodeText(shortReply(kSysDescrName, tlv(0x44, bytes({1, 2})))), "Unknown &H44");
  EXPECT_EQ(decodeText(shortReply(kSysDescrName, tlv(0x0A, ""))), "Unknown &HA");

  // Two bindings: the second value replaces the first; the first name is reported.
  const QByteArray other = bytes({0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, 0x05, 0x00});
  QByteArray b1 = tlv(0x06, kSysDescrName) + tlv(0x04, "first");
  QByteArray b2 = tlv(0x06, other) + tlv(0x02, bytes({0x07}));
  const QByteArray list = tlv(0x30, tlv(0x30, b1) + tlv(0x30, b2));
  QByteArray pdu = tlv(0xA2, bytes({0x02, 1, 1, 0x02, 1, 0, 0x02, 1, 0}) + list);
  const QByteArray msg =
      tlv(0x30, bytes({0x02, 1, 0}) + tlv(0x04, "tamvek") + pdu);
  const SnmpReply r = DecodeSnmpReply(msg);
  EXPECT_TRUE(r.wellFormed);
  EXPECT_EQ(r.text, "7\r\n");
  EXPECT_EQ(r.firstName, kSysDescrName);

  // A BOOLEAN or OBJECT IDENTIFIER value leaves the text as it was.
  b2 = tlv(0x06, other) + tlv(0x06, other);
  const QByteArray msg2 = tlv(
      0x30, bytes({0x02, 1, 0}) + tlv(0x04, "tamvek") +
                tlv(0xA2, bytes({0x02, 1, 1, 0x02, 1, 0, 0x02, 1, 0}) +
                              tlv(0x30, tlv(0x30, b1) + tlv(0x30, b2))));
  EXPECT_EQ(decodeText(msg2), QString("first") + QChar(u'\x30'));  // extra char: next binding
}

TEST(SnmpDecoder, ErrorStatusGivesAnEmptyLineButIsStillAReply) {
  const SnmpReply r = DecodeSnmpReply(shortReply(kSysDescrName, bytes({0x05, 0x00}), 2));
  EXPECT_TRUE(r.wellFormed);
  EXPECT_EQ(r.errorStatus, 2);
  EXPECT_EQ(r.firstName, kSysDescrName);
  EXPECT_TRUE(r.text.isEmpty());
}

TEST(SnmpDecoder, LongFormLengthsAtAnyLevelDecodeLikeShortForm) {
  // 128..255-byte replies: long-form message length, short-form lengths inside.
  for (int len : {1, 60, 90, 91, 100, 120, 127, 128, 200, 255, 300}) {
    const QByteArray text(len, 'q');
    const QByteArray reply = berReply(kSysDescrName, berTlv(0x04, text));
    const SnmpReply r = DecodeSnmpReply(reply);
    EXPECT_TRUE(r.wellFormed) << len;
    EXPECT_EQ(r.text, QString::fromLatin1(text) + QChar(u'\0')) << len;
    EXPECT_EQ(r.firstName, kSysDescrName) << len;
  }
  // Long form where short form would do (allowed by BER) at every level.
  QByteArray binding = bytes({0x06, 0x81, 8}) + kSysDescrName + bytes({0x04, 0x82, 0, 2}) + "OK";
  binding = bytes({0x30, 0x81, int(binding.size())}) + binding;
  QByteArray pdu = bytes({0x02, 0x81, 1, 1, 0x02, 0x81, 1, 0, 0x02, 1, 0}) +
                   bytes({0x30, 0x83, 0, 0, int(binding.size())}) + binding;
  pdu = bytes({0xA2, 0x84, 0, 0, 0, int(pdu.size())}) + pdu;
  QByteArray msg = bytes({0x02, 0x81, 1, 0, 0x04, 0x81, 6}) + "tamvek" + pdu;
  msg = bytes({0x30, 0x81, int(msg.size())}) + msg;
  EXPECT_EQ(decodeText(msg), QString("OK") + QChar(u'\0'));
}

TEST(SnmpDecoder, MalformedDatagramsGiveEmptyText) {
  const QByteArray good = shortReply(kSysDescrName, tlv(0x04, "READY"));
  ASSERT_FALSE(decodeText(good).isEmpty());
  // Truncated at every byte: never a text, never a read past the end (ASan).
  for (int n = 0; n < good.size(); ++n) {
    // An exact-size heap block without Qt's terminating NUL, so that a read past
    // the end shows under AddressSanitizer.
    std::vector<char> block(good.constData(), good.constData() + n);
    const QByteArray cut = QByteArray::fromRawData(block.data(), n);
    EXPECT_FALSE(DecodeSnmpReply(cut).wellFormed) << n;
    EXPECT_TRUE(decodeText(cut).isEmpty()) << n;
  }
  // A value length pointing past the end.
  QByteArray past = good;
  past[past.size() - 6] = char(0x40);  // OCTET STRING length 5 -> 64
  EXPECT_TRUE(decodeText(past).isEmpty());
  // Lengths of 0x84 with huge values and 0x85 and more, at the message level.
  for (int first : {0x80, 0x84, 0x85, 0x88, 0xFF}) {
    QByteArray m = good;
    m[1] = char(first);
    EXPECT_TRUE(decodeText(m).isEmpty()) << first;
    m = bytes({0x30, first, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_TRUE(decodeText(m).isEmpty()) << first;
  }
  EXPECT_TRUE(decodeText(QByteArray()).isEmpty());
  EXPECT_TRUE(decodeText(bytes({0x30})).isEmpty());
  EXPECT_TRUE(decodeText(bytes({0x04, 0x00})).isEmpty());  // not a SEQUENCE
}

TEST(SnmpDecoder, NoiseNeverReadsPastTheDatagram) {
  QRandomGenerator rng(1234);
  std::vector<quint32> words(65507 / 4 + 1);
  rng.fillRange(words.data(), words.size());
  QByteArray noise(reinterpret_cast<const char*>(words.data()), 65507);
  EXPECT_TRUE(decodeText(noise).isEmpty());
  // Noise behind a plausible header still gives empty text or a bounded decode.
  for (int i = 0; i < 2000; ++i) {
    QByteArray d = shortReply(kSysDescrName, tlv(0x04, "READY"));
    const int at = rng.bounded(d.size());
    d[at] = char(rng.bounded(256));
    d = QByteArray(d.constData(), rng.bounded(d.size() + 1));
    DecodeSnmpReply(d);  // must not crash or read out of bounds
  }
}

}  // namespace
}  // namespace tlw
