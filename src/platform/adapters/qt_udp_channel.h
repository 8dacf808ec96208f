#pragma once
#include <QHash>
#include <memory>

#include "platform/udp_channel.h"

class QUdpSocket;

namespace tlw {

// UDP on a QUdpSocket. The socket takes an ephemeral local port on the first
// send; datagrams that arrive are handed to the receiver from readyRead, so they
// reach it while a Clock wait runs the event loop. A sender is reported by the
// host text that was last sent to its address (so a reply to a request sent to a
// host name carries that name), else by its dotted address.
class QtUdpChannel : public UdpChannel {
 public:
  QtUdpChannel();
  ~QtUdpChannel() override;
  bool send(const QString& host, quint16 port, const QByteArray& datagram) override;
  void setReceiver(Receiver receiver) override;

 private:
  void readPending();

  std::unique_ptr<QUdpSocket> socket_;
  Receiver receiver_;
  QHash<QString, QString> hostByAddress_;
};

}  // namespace tlw
