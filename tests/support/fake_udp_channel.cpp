#include "support/fake_udp_channel.h"

namespace tlw::test {

bool FakeUdpChannel::send(const QString& host, quint16 port, const QByteArray& datagram) {
  sent.push_back({host, port, datagram});
  if (onSend) onSend(sent.back());
  return sendResult;
}

void FakeUdpChannel::deliver(const QByteArray& datagram, const QString& fromHost,
                             quint16 fromPort) {
  Receiver r = receiver_;
  if (r) r(datagram, fromHost, fromPort);
}

}  // namespace tlw::test
