#include "netstatus/network_status.h"

#include <QStringList>

#include "core/context.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/registry.h"
#include "platform/udp_channel.h"

namespace tlw {

namespace {

const QString kCommunity = QStringLiteral("tamvek");
const QString kSysDescrOid = QStringLiteral("1.3.6.1.2.1.1.1.0");
const QString kPanelLine1Oid = QStringLiteral("1.3.6.1.2.1.43.16.5.1.2.1.1");
const QString kPanelLine2Oid = QStringLiteral("1.3.6.1.2.1.43.16.5.1.2.1.2");

// Host text in a form two spellings of the same address share: dotted IPv4
// without leading zeros, anything else trimmed and in lower case.
QString canonicalHost(const QString& host) {
  const QString h = host.trimmed();
  const QStringList parts = h.split(QLatin1Char('.'));
  if (parts.size() == 4) {
    QStringList out;
    for (const QString& p : parts) {
      bool ok = false;
      const uint v = p.toUInt(&ok, 10);
      if (!ok || p.isEmpty() || p.size() > 3 || v > 255) return h.toLower();
      out << QString::number(v);
    }
    return out.join(QLatin1Char('.'));
  }
  return h.toLower();
}

}  // namespace

QString GetPortIPAddress(AppContext& ctx, const QString& portName) {
  if (!ctx.services.machineRegistry) return QString();
  cRegistry reg(ctx.services.machineRegistry);
  reg.setClassKey(kHkeyLocalMachine);
  reg.setSectionKey(QString::fromLatin1(kPortsRegistryKey) + QLatin1Char('\\') + portName);
  reg.setValueKey(QStringLiteral("IPAddress"));
  reg.setValueType(kRegSz);
  return reg.Value().toString();
}

QString Get_SNMP_Status(AppContext& ctx, const QString& ipAddress) {
  if (!ctx.networkStatus) ctx.networkStatus = std::make_shared<NetworkStatus>(ctx);
  // Held for the call: the context may drop its copy while a wait runs.
  std::shared_ptr<NetworkStatus> status = ctx.networkStatus;
  return status->Get_SNMP_Status(ipAddress);
}

NetworkStatus::NetworkStatus(AppContext& ctx) : ctx_(ctx) {}

NetworkStatus::~NetworkStatus() {
  // The receiver handed to the channel holds only a weak reference to this
  // object, so nothing needs to be undone on the channel (which may already be
  // gone when the context is taken down).
}

std::uint16_t NetworkStatus::snmpPort() {
  const QByteArray env = qgetenv("TENLARK_SNMP_PORT").trimmed();
  if (env.isEmpty()) return kDefaultSnmpPort;
  bool ok = false;
  const int port = env.toInt(&ok);
  if (!ok || port < 1 || port > 65535) return kDefaultSnmpPort;
  return static_cast<std::uint16_t>(port);
}

bool NetworkStatus::snmpSend(const QString& destination, const QString& community,
                             const QString& oid, std::uint8_t pduType) {
  response_.clear();
  replied_ = false;
  awaiting_ = false;
  SnmpMessage message;
  if (!EncodeGetRequest(message, community, oid, pduType)) return false;
  if (!BuildSnmpPacket(message, packet_)) return false;
  UdpChannel* udp = ctx_.services.udp;
  if (!udp) return false;

  askedHost_ = destination.trimmed();
  askedPort_ = snmpPort();
  askedName_ = message.name;

  std::weak_ptr<bool> alive = alive_;
  udp->setReceiver([this, alive](const QByteArray& datagram, const QString& fromHost,
                                 quint16 fromPort) {
    if (alive.expired()) return;
    pwSocket_DataArrival(datagram, fromHost, fromPort);
  });
  awaiting_ = true;
  if (!udp->send(askedHost_, askedPort_, packet_.toByteArray())) {
    awaiting_ = false;
    return false;
  }
  return true;
}

void NetworkStatus::pwSocket_DataArrival(const QByteArray& datagram, const QString& fromHost,
                                         std::uint16_t fromPort) {
  if (!awaiting_ || replied_) return;
  if (fromPort != askedPort_ || canonicalHost(fromHost) != canonicalHost(askedHost_)) return;
  if (datagram.size() < 2) {
    response_ = QStringLiteral("Error, invalid device");
  } else {
    const SnmpReply reply = DecodeSnmpReply(datagram);
    // Anything that does not answer the question asked (a late reply to an
    // earlier request, a stray datagram) is ignored and the wait goes on.
    if (!reply.wellFormed || reply.firstName != askedName_) return;
    response_ = reply.text;
  }
  replied_ = true;
  awaiting_ = false;
  if (ctx_.services.clock) ctx_.services.clock->wake();
}

void NetworkStatus::waitForReply() {
  if (!awaiting_ || !ctx_.services.clock) return;
  ctx_.services.clock->wait(SnmpReplyWaitSeconds * 1000, [this] { return replied_; });
  awaiting_ = false;
}

Flag NetworkStatus::IsCaldora(const QString& ipAddress) {
  snmpSend(ipAddress, kCommunity, kSysDescrOid, kGetRequestPdu);
  waitForReply();
  // No text to look at: no answer in time, or the agent refused the request.
  if (response_.isEmpty()) {
    debugLog(QStringLiteral("IsCaldora: Unable to connect to device"));
    return kFalse;
  }
  Flag found = kFalse;
  const QStringList words = response_.split(QLatin1Char(' '));
  for (const QString& word : words) {
    if (word == QLatin1String("Caldora")) {
      found = kTrue;
      break;
    }
  }
  debugLog(QStringLiteral("IsCaldora: SNMPString=") + response_);
  return found;
}

QString NetworkStatus::readLine(const QString& ipAddress, const QString& oid) {
  snmpSend(ipAddress, kCommunity, oid, kGetRequestPdu);
  waitForReply();
  // The decoded text carries one character after the value; an unanswered or
  // refused request gives an empty line.
  return response_.isEmpty() ? QString() : response_.chopped(1);
}

QString NetworkStatus::Get_SNMP_Status(const QString& ipAddress) {
  if (!isSet(IsCaldora(ipAddress))) {
    debugLog(QStringLiteral("GetSNMPStatus: Not Caldora Printer"));
    return QString();
  }
  const QString line1 = readLine(ipAddress, kPanelLine1Oid);
  const QString line2 = readLine(ipAddress, kPanelLine2Oid);
  return QStringLiteral("\t") + line1 + QStringLiteral("\r\n\t") + line2;
}

void NetworkStatus::pwSocket_Close() { showPlainBox(QStringLiteral("Closed")); }
void NetworkStatus::pwSocket_Connect() { showPlainBox(QStringLiteral("Connected")); }
void NetworkStatus::pwSocket_ConnectionRequest() {
  showPlainBox(QStringLiteral("Connection Request"));
}

void NetworkStatus::showPlainBox(const QString& text) {
  if (!ctx_.services.prompts) return;
  MessageBox box;
  box.text = text;
  ctx_.services.prompts->show(box);
}

void NetworkStatus::debugLog(const QString& text) {
  if (isSet(ctx_.options.DebugMode)) ctx_.log.write(text);
}

}  // namespace tlw
