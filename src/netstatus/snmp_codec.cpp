#include "netstatus/snmp_codec.h"

#include <QStringList>
#include <QtEndian>
#include <cstring>

namespace tlw {

namespace {

// The request uses single-byte (short-form) lengths only.
constexpr int kShortFormMax = 127;
// Highest sub-identifier the two-byte base-128 form holds.
constexpr int kMaxArc = 16383;

// Unsigned byte i of `b` (the caller has checked the index).
inline std::uint8_t at(const QByteArray& b, qsizetype i) {
  return static_cast<std::uint8_t>(b[i]);
}

// One BER element: its tag and where its contents lie.
struct Element {
  std::uint8_t tag = 0;
  qsizetype start = 0;  // first content byte
  qsizetype length = 0;
  qsizetype end() const { return start + length; }
};

// Reads the element header at `pos`. The header and the contents must lie inside
// [pos, limit). Short-form lengths and long-form lengths of one to four bytes
// are understood; the indefinite form and longer forms are refused.
bool readElement(const QByteArray& b, qsizetype pos, qsizetype limit, Element& e) {
  if (pos < 0 || limit > b.size() || pos + 2 > limit) return false;
  e.tag = at(b, pos);
  const std::uint8_t first = at(b, pos + 1);
  qsizetype header = 2;
  quint64 length = first;
  if (first & 0x80) {
    const int count = first & 0x7F;
    if (count == 0 || count > 4) return false;
    if (pos + 2 + count > limit) return false;
    length = 0;
    for (int i = 0; i < count; ++i) length = (length << 8) | at(b, pos + 2 + i);
    header += count;
  }
  if (length > static_cast<quint64>(limit - (pos + header))) return false;
  e.start = pos + header;
  e.length = static_cast<qsizetype>(length);
  return true;
}

// The value bytes read as one unsigned number, most significant byte first.
// Leading zero bytes do not count; false when more than four bytes remain.
bool unsignedValue(const QByteArray& b, const Element& e, quint32& out) {
  qsizetype i = e.start;
  while (i < e.end() && at(b, i) == 0) ++i;
  if (e.end() - i > 4) return false;
  quint32 v = 0;
  for (; i < e.end(); ++i) v = (v << 8) | at(b, i);
  out = v;
  return true;
}

// Numbers are shown the way a hexadecimal literal of the value bytes reads: up to
// FFFF as a signed 16-bit number, above that as a signed 32-bit number.
QString numberText(quint32 v) {
  if (v <= 0xFFFFu) return QString::number(static_cast<qint16>(static_cast<quint16>(v)));
  return QString::number(static_cast<qint32>(v));
}

QString addressText(quint32 v) { return FormatIPAddress(qToBigEndian(v)); }

// Text of one element by its tag. Returns false when the element leaves the
// previous text standing (BOOLEAN and OBJECT IDENTIFIER values).
bool elementText(const QByteArray& b, const Element& e, QString& text) {
  quint32 v = 0;
  switch (e.tag) {
    case 0x05:  // NULL
    case 0x40:  // IpAddress
      text = unsignedValue(b, e, v) ? addressText(v) + QStringLiteral("\r\n") : QString();
      return true;
    case 0x08:
    case 0x43:  // TimeTicks
    case 0x41:  // Counter
    case 0x42:  // Gauge
    case 0x03:  // BIT STRING
    case 0x02:  // INTEGER
      text = unsignedValue(b, e, v) ? numberText(v) + QStringLiteral("\r\n") : QString();
      return true;
    case 0x04:
      // The characters of the value and the one byte after it; for the last
      // element of a datagram that is the 0 byte that follows the datagram.
      // end() never passes the datagram, so end() is at most its size.
      if (e.end() < b.size()) {
        text = QString::fromLatin1(b.constData() + e.start, e.length + 1);
      } else {
        text = QString::fromLatin1(b.constData() + e.start, e.length) + QChar(u'\0');
      }
      return true;
    case 0x01:
    case 0x06:
      return false;
    default:
      text = QStringLiteral("Unknown &H") + QString::number(e.tag, 16).toUpper();
      return true;
  }
}

// BER INTEGER contents as a signed number; false when longer than 8 bytes.
bool signedValue(const QByteArray& b, const Element& e, std::int64_t& out) {
  if (e.length == 0) {
    out = 0;
    return true;
  }
  if (e.length > 8) return false;
  std::int64_t v = static_cast<std::int8_t>(at(b, e.start));
  for (qsizetype i = e.start + 1; i < e.end(); ++i) v = static_cast<std::int64_t>(static_cast<quint64>(v) << 8) | at(b, i);
  out = v;
  return true;
}

}  // namespace

int SnmpMessage::totalSize() const {
  return 2 + 2 + static_cast<int>(version.size()) + 2 + static_cast<int>(community.size()) + 2 +
         2 + static_cast<int>(requestId.size()) + 2 + static_cast<int>(errorStatus.size()) + 2 +
         static_cast<int>(errorIndex.size()) + 6 + static_cast<int>(name.size()) + 2;
}

bool EncodeObjectIdentifier(const QString& oid, QByteArray& out) {
  out.clear();
  QStringList pieces = oid.trimmed().split(QLatin1Char('.'));
  if (!pieces.isEmpty() && pieces.last().isEmpty()) pieces.removeLast();
  if (pieces.size() < 2) return false;
  QByteArray bytes;
  bytes.append(char(0x2B));  // the arcs 1.3
  for (int i = 0; i < pieces.size(); ++i) {
    const QString& piece = pieces[i];
    if (piece.isEmpty()) return false;
    for (QChar c : piece) {
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
    if (i < 2) continue;  // the first two arcs are not read
    bool ok = false;
    const int x = piece.toInt(&ok);
    if (!ok || x > kMaxArc) return false;
    if (x < 128) {
      bytes.append(char(x));
    } else {
      bytes.append(char(x / 128 + 128));
      bytes.append(char(x % 128));
    }
  }
  out = bytes;
  return true;
}

bool EncodeGetRequest(SnmpMessage& message, const QString& community, const QString& oid,
                      std::uint8_t pduType) {
  const QByteArray communityBytes = community.trimmed().toLatin1();
  if (communityBytes.isEmpty()) return false;
  QByteArray name;
  if (!EncodeObjectIdentifier(oid, name)) return false;
  const int n = static_cast<int>(communityBytes.size());
  const int j = static_cast<int>(name.size());
  if (24 + n + j > kShortFormMax) return false;

  SnmpMessage m;
  m.messageLength = static_cast<std::uint8_t>(24 + n + j);
  m.version = QByteArray(1, '\0');
  m.communityLength = static_cast<std::uint8_t>(n);
  m.community = communityBytes;
  m.pduType = pduType;
  m.pduLength = static_cast<std::uint8_t>(j + 17);
  m.requestId = QByteArray(1, '\1');
  m.errorStatus = QByteArray(1, '\0');
  m.errorIndex = QByteArray(1, '\0');
  m.varbindListLength = static_cast<std::uint8_t>(j + 6);
  m.varbindLength = static_cast<std::uint8_t>(j + 4);
  m.nameLength = static_cast<std::uint8_t>(j);
  m.name = name;
  message = m;
  return true;
}

bool BuildSnmpPacket(const SnmpMessage& m, SnmpPacket& packet) {
  const int total = m.totalSize();
  if (total > SnmpPacket::kSize) return false;
  int i = 0;
  auto put = [&](std::uint8_t byte) { packet.bytes[static_cast<size_t>(i++)] = byte; };
  auto putAll = [&](const QByteArray& bytes) {
    for (char c : bytes) put(static_cast<std::uint8_t>(c));
  };
  put(m.messageTag);
  put(m.messageLength);
  put(m.versionTag);
  put(m.versionLength);
  putAll(m.version);
  put(m.communityTag);
  put(m.communityLength);
  putAll(m.community);
  put(m.pduType);
  put(m.pduLength);
  put(m.requestIdTag);
  put(m.requestIdLength);
  putAll(m.requestId);
  put(m.errorStatusTag);
  put(m.errorStatusLength);
  putAll(m.errorStatus);
  put(m.errorIndexTag);
  put(m.errorIndexLength);
  putAll(m.errorIndex);
  put(m.varbindListTag);
  put(m.varbindListLength);
  put(m.varbindTag);
  put(m.varbindLength);
  put(m.nameTag);
  put(m.nameLength);
  putAll(m.name);
  put(m.valueTag);
  put(m.valueLength);
  packet.bytes[1] = static_cast<std::uint8_t>(total - 2);
  return true;
}

SnmpReply DecodeSnmpReply(const QByteArray& b) {
  SnmpReply reply;
  const qsizetype n = b.size();

  Element message, version, community, pdu, requestId, errorStatus, errorIndex, list;
  if (!readElement(b, 0, n, message) || message.tag != 0x30) return reply;
  if (!readElement(b, message.start, message.end(), version)) return reply;
  if (!readElement(b, version.end(), message.end(), community)) return reply;
  if (!readElement(b, community.end(), message.end(), pdu)) return reply;
  if (!readElement(b, pdu.start, pdu.end(), requestId)) return reply;
  if (!readElement(b, requestId.end(), pdu.end(), errorStatus)) return reply;
  if (!readElement(b, errorStatus.end(), pdu.end(), errorIndex)) return reply;
  if (!readElement(b, errorIndex.end(), pdu.end(), list) || list.tag != 0x30) return reply;

  std::int64_t status = 0;
  if (!signedValue(b, errorStatus, status)) status = -1;  // unreadable counts as an error

  // Every binding in turn; when several values are decoded the last one stands.
  QString text;
  QByteArray firstName;
  bool first = true;
  qsizetype pos = list.start;
  while (pos < list.end()) {
    Element binding, element;
    if (!readElement(b, pos, list.end(), binding) || binding.tag != 0x30) return reply;
    if (!readElement(b, binding.start, binding.end(), element)) return reply;
    if (element.tag == 0x06) {
      if (first) firstName = b.mid(element.start, element.length);
      Element value;
      if (!readElement(b, element.end(), binding.end(), value)) return reply;
      elementText(b, value, text);
    } else {
      elementText(b, element, text);
    }
    first = false;
    pos = binding.end();
  }

  reply.wellFormed = true;
  reply.errorStatus = status;
  reply.firstName = firstName;
  if (status == 0) reply.text = text;
  return reply;
}

QString FormatIPAddress(std::uint32_t networkOrderAddress) {
  unsigned char bytes[4];
  std::memcpy(bytes, &networkOrderAddress, 4);
  return QStringLiteral("%1.%2.%3.%4").arg(bytes[0]).arg(bytes[1]).arg(bytes[2]).arg(bytes[3]);
}

}  // namespace tlw
