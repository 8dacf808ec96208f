#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

namespace tlw {

// One UDP endpoint: send a datagram to a host and port; datagrams that arrive are
// handed to the receiver while the event loop runs. QtUdpChannel (QUdpSocket) is
// the real one; tests use FakeUdpChannel.
class UdpChannel {
 public:
  using Receiver = std::function<void(const QByteArray& datagram, const QString& fromHost,
                                      quint16 fromPort)>;
  virtual ~UdpChannel() = default;
  virtual bool send(const QString& host, quint16 port, const QByteArray& datagram) = 0;
  virtual void setReceiver(Receiver receiver) = 0;
};

}  // namespace tlw
