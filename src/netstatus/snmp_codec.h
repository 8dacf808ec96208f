#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace tlw {

// SNMP version 1 GetRequest encoding and reply decoding: the small subset of
// SNMP and BER that reading the system description and the front-panel lines
// needs. One binding per request, request-id always 1, short-form lengths on
// the sending side.

// The request before it is laid out, field by field in wire order.
struct SnmpMessage {
  std::uint8_t messageTag = 0x30;
  std::uint8_t messageLength = 0;
  std::uint8_t versionTag = 0x02;
  std::uint8_t versionLength = 1;
  QByteArray version;
  std::uint8_t communityTag = 0x04;
  std::uint8_t communityLength = 0;
  QByteArray community;
  std::uint8_t pduType = 0xA0;
  std::uint8_t pduLength = 0;
  std::uint8_t requestIdTag = 0x02;
  std::uint8_t requestIdLength = 1;
  QByteArray requestId;
  std::uint8_t errorStatusTag = 0x02;
  std::uint8_t errorStatusLength = 1;
  QByteArray errorStatus;
  std::uint8_t errorIndexTag = 0x02;
  std::uint8_t errorIndexLength = 1;
  QByteArray errorIndex;
  std::uint8_t varbindListTag = 0x30;
  std::uint8_t varbindListLength = 0;
  std::uint8_t varbindTag = 0x30;
  std::uint8_t varbindLength = 0;
  std::uint8_t nameTag = 0x06;
  std::uint8_t nameLength = 0;
  QByteArray name;
  std::uint8_t valueTag = 0x05;
  std::uint8_t valueLength = 0;

  // Bytes the laid-out message takes.
  int totalSize() const;
};

// The 256-byte send buffer. It is never cleared: bytes after the current message
// keep what an earlier, longer message left (zero in a fresh buffer). The whole
// buffer goes onto the wire.
struct SnmpPacket {
  static constexpr int kSize = 256;
  std::array<std::uint8_t, kSize> bytes{};
  QByteArray toByteArray() const {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), kSize);
  }
};

constexpr std::uint8_t kGetRequestPdu = 0xA0;

// Encodes an object identifier text such as "1.3.6.1.2.1.1.1.0" into BER name
// bytes. The first two arcs are always written as 0x2B (1.3). Returns false (and
// leaves `out` empty) for a text that is not a dotted row of numbers, or whose
// arcs are above 16383.
bool EncodeObjectIdentifier(const QString& oid, QByteArray& out);

// Fills `message` with a GetRequest for one object identifier. Returns false when
// the community is empty, the identifier cannot be encoded, or the message would
// need a length of 128 or more (the request uses short-form lengths only).
bool EncodeGetRequest(SnmpMessage& message, const QString& community, const QString& oid,
                      std::uint8_t pduType = kGetRequestPdu);

// Lays `message` into `packet` from index 0 and stores the total length at index
// 1. Returns false, leaving the packet untouched, when it would not fit.
bool BuildSnmpPacket(const SnmpMessage& message, SnmpPacket& packet);

// What one reply datagram holds, as far as the status reader cares.
struct SnmpReply {
  // The text the reply decodes to; empty for a malformed datagram or an agent's
  // error reply (error-status not 0).
  QString text;
  // True when the message, PDU and binding headers could be walked.
  bool wellFormed = false;
  // error-status of the PDU (0 when not well formed).
  std::int64_t errorStatus = 0;
  // Encoded name of the first binding (empty when it has none).
  QByteArray firstName;
};

// Decodes one reply datagram. A pure function of the bytes: every read is
// checked against the datagram, lengths are taken as encoded (short or long
// form) at every level, and nothing outside the datagram is touched apart from
// the one 0 byte that conceptually follows it.
SnmpReply DecodeSnmpReply(const QByteArray& datagram);

// Dotted-decimal text of an IPv4 address given in network byte order (the first
// address byte in the lowest memory byte).
QString FormatIPAddress(std::uint32_t networkOrderAddress);

}  // namespace tlw
