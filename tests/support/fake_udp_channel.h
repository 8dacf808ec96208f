#pragma once
#include <functional>
#include <vector>

#include "platform/udp_channel.h"

namespace tlw::test {

// Records every datagram sent and lets a test deliver datagrams to the receiver,
// typically from onSend through VirtualClock::after so that they arrive "during"
// a wait.
class FakeUdpChannel : public UdpChannel {
 public:
  struct Sent {
    QString host;
    quint16 port = 0;
    QByteArray datagram;
  };

  bool send(const QString& host, quint16 port, const QByteArray& datagram) override;
  void setReceiver(Receiver receiver) override { receiver_ = std::move(receiver); }

  // Hands a datagram to the receiver as if it had arrived from host:port.
  void deliver(const QByteArray& datagram, const QString& fromHost, quint16 fromPort);

  std::vector<Sent> sent;
  // Runs after each send is recorded.
  std::function<void(const Sent&)> onSend;
  // What send() returns.
  bool sendResult = true;

 private:
  Receiver receiver_;
};

}  // namespace tlw::test
