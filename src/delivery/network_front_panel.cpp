#include "delivery/front_panel.h"
#include "netstatus/network_status.h"

namespace tlw {

QString NetworkFrontPanel::portIPAddress(AppContext& ctx, const QString& portName) {
  return GetPortIPAddress(ctx, portName);
}

QString NetworkFrontPanel::frontPanelMessage(AppContext& ctx, const QString& ipAddress) {
  return Get_SNMP_Status(ctx, ipAddress);
}

}  // namespace tlw
