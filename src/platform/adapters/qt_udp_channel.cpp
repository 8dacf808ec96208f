#include "platform/adapters/qt_udp_channel.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace tlw {

namespace {

// An address as text, IPv4-mapped IPv6 addresses shown as plain IPv4.
QString addressText(const QHostAddress& address) {
  bool isV4 = false;
  const quint32 v4 = address.toIPv4Address(&isV4);
  if (isV4) return QHostAddress(v4).toString();
  return address.toString();
}

}  // namespace

QtUdpChannel::QtUdpChannel() : socket_(std::make_unique<QUdpSocket>()) {
  QObject::connect(socket_.get(), &QUdpSocket::readyRead, [this] { readPending(); });
}

QtUdpChannel::~QtUdpChannel() { socket_->disconnect(); }

void QtUdpChannel::setReceiver(Receiver receiver) { receiver_ = std::move(receiver); }

bool QtUdpChannel::send(const QString& host, quint16 port, const QByteArray& datagram) {
  QHostAddress address;
  if (!address.setAddress(host)) {
    const QHostInfo info = QHostInfo::fromName(host);
    for (const QHostAddress& a : info.addresses()) {
      if (a.protocol() == QHostAddress::IPv4Protocol) {
        address = a;
        break;
      }
    }
    if (address.isNull() && !info.addresses().isEmpty()) address = info.addresses().first();
  }
  if (address.isNull()) return false;
  if (socket_->state() != QAbstractSocket::BoundState &&
      !socket_->bind(QHostAddress::Any, 0) && !socket_->bind(QHostAddress::AnyIPv4, 0)) {
    return false;
  }
  hostByAddress_.insert(addressText(address), host);
  return socket_->writeDatagram(datagram, address, port) == datagram.size();
}

void QtUdpChannel::readPending() {
  while (socket_->hasPendingDatagrams()) {
    const QNetworkDatagram d = socket_->receiveDatagram();
    if (!d.isValid()) break;
    const QString from = addressText(d.senderAddress());
    Receiver receiver = receiver_;  // the receiver may replace itself
    if (receiver) {
      receiver(d.data(), hostByAddress_.value(from, from), static_cast<quint16>(d.senderPort()));
    }
  }
}

}  // namespace tlw
