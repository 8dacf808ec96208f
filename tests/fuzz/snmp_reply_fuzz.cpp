// Feeds arbitrary datagrams to the SNMP reply decoder. The bytes are handed over
// without a copy, so any read past the datagram lands in the sanitizer's red zone.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "netstatus/snmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray datagram =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const tlw::SnmpReply reply = tlw::DecodeSnmpReply(datagram);
  // A datagram that is not well formed, or an agent's error reply, gives no text.
  if ((!reply.wellFormed || reply.errorStatus != 0) && !reply.text.isEmpty()) std::abort();
  // The decoder reports only bytes of the datagram as the first name.
  if (reply.firstName.size() > datagram.size()) std::abort();
  return 0;
}
