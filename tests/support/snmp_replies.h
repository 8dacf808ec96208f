#pragma once
#include <QByteArray>
#include <QString>
#include <initializer_list>

#include "netstatus/snmp_codec.h"

namespace tlw::test {

// Builders for SNMP reply datagrams in unit tests.

inline QByteArray bytes(std::initializer_list<int> list) {
  QByteArray b;
  for (int v : list) b.append(static_cast<char>(v));
  return b;
}

// BER length in its shortest form.
inline QByteArray berLength(int n) {
  if (n < 128) return bytes({n});
  if (n < 256) return bytes({0x81, n});
  return bytes({0x82, n >> 8, n & 0xFF});
}

inline QByteArray berTlv(int tag, const QByteArray& value) {
  return bytes({tag}) + berLength(int(value.size())) + value;
}

inline QByteArray oidBytes(const QString& oid) {
  QByteArray name;
  EncodeObjectIdentifier(oid, name);
  return name;
}

// A GetResponse with one binding (encoded name, value element), lengths in their
// shortest form, as real agents send it.
inline QByteArray snmpReply(const QByteArray& name, const QByteArray& valueTlv,
                            int errorStatus = 0, const QByteArray& community = "tamvek") {
  const QByteArray binding = berTlv(0x30, berTlv(0x06, name) + valueTlv);
  const QByteArray pdu =
      berTlv(0xA2, bytes({0x02, 0x01, 0x01, 0x02, 0x01, errorStatus, 0x02, 0x01, 0x00}) +
                       berTlv(0x30, binding));
  return berTlv(0x30, bytes({0x02, 0x01, 0x00}) + berTlv(0x04, community) + pdu);
}

inline QByteArray stringReply(const QString& oid, const QByteArray& text) {
  return snmpReply(oidBytes(oid), berTlv(0x04, text));
}

}  // namespace tlw::test
