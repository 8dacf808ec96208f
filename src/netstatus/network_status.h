#pragma once
#include <QString>

namespace tlw {

struct AppContext;

// The IP address (dotted text) of a Standard TCP/IP printer port, empty when the
// port has none.
QString GetPortIPAddress(AppContext& ctx, const QString& portName);
// The printer's two front-panel lines ("\t" line1 "\r\n\t" line2), empty when the
// device is not a Caldora network card or does not answer.
QString Get_SNMP_Status(AppContext& ctx, const QString& ipAddress);

}  // namespace tlw
