#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

#include "core/flags.h"
#include "netstatus/snmp_codec.h"

namespace tlw {

struct AppContext;

// The IP address (dotted text) of a Standard TCP/IP printer port, empty when the
// port has none.
QString GetPortIPAddress(AppContext& ctx, const QString& portName);
// The printer's two front-panel lines ("\t" line1 "\r\n\t" line2), empty when the
// device is not a Caldora network card or does not answer.
QString Get_SNMP_Status(AppContext& ctx, const QString& ipAddress);

// The SNMP side of the progress window: sends GetRequests over the context's UDP
// channel and waits for the matching reply through the context's clock. One
// object lives for the run (AppContext::networkStatus) because the send buffer
// keeps its bytes from one request to the next.
class NetworkStatus {
 public:
  static constexpr int SnmpReplyWaitSeconds = 5;
  static constexpr std::uint16_t kDefaultSnmpPort = 161;

  explicit NetworkStatus(AppContext& ctx);
  ~NetworkStatus();
  NetworkStatus(const NetworkStatus&) = delete;
  NetworkStatus& operator=(const NetworkStatus&) = delete;

  // Sends one GetRequest for `oid` to `destination` (spaces trimmed) and returns
  // at once. Clears SnmpResponse. False when nothing could be sent (the request
  // does not encode, or the channel refused it).
  bool snmpSend(const QString& destination, const QString& community, const QString& oid,
                std::uint8_t pduType = kGetRequestPdu);
  // Whether the device's system description holds the word "Caldora" followed by
  // a blank.
  Flag IsCaldora(const QString& ipAddress);
  // The two front-panel lines, or empty text when the device is not a Caldora card.
  QString Get_SNMP_Status(const QString& ipAddress);

  // A datagram arrived on the socket. It counts only when it comes from the
  // address and port last asked and, unless it is shorter than 2 bytes, when its
  // first binding names the object last asked for.
  void pwSocket_DataArrival(const QByteArray& datagram, const QString& fromHost,
                            std::uint16_t fromPort);
  // Socket events a UDP socket does not raise in this use; kept for completeness.
  void pwSocket_Close();
  void pwSocket_Connect();
  void pwSocket_ConnectionRequest();

  // Text of the last counted reply; empty while none has been counted.
  const QString& SnmpResponse() const { return response_; }
  // True once a reply to the current request has been counted.
  bool replied() const { return replied_; }
  const SnmpPacket& packet() const { return packet_; }

  // Waits up to SnmpReplyWaitSeconds for the reply to the request last sent
  // (at once when none is outstanding). The clock's wait keeps the event loop
  // running; the receiver wakes it when the reply is counted.
  void waitForReply();

  // Destination port: 161, or TENLARK_SNMP_PORT when set to a valid port number.
  static std::uint16_t snmpPort();

 private:
  // Sends a request and waits; the reply text without its last character.
  QString readLine(const QString& ipAddress, const QString& oid);
  void debugLog(const QString& text);
  void showPlainBox(const QString& text);

  AppContext& ctx_;
  SnmpPacket packet_;
  QString response_;
  bool awaiting_ = false;
  bool replied_ = false;
  QString askedHost_;
  std::uint16_t askedPort_ = 0;
  QByteArray askedName_;
  // Receivers handed to the channel check this before touching the object.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tlw
