#pragma once
#include <QString>

namespace tlw {

struct AppContext;

// Where the job runner finds a failed printer's front-panel message: the IP
// address of the printer's port, then the message read from that address.
class FrontPanelReader {
 public:
  virtual ~FrontPanelReader() = default;
  // Dotted IPv4 text of the port's address, empty when it has none.
  virtual QString portIPAddress(AppContext& ctx, const QString& portName) = 0;
  // The front-panel lines of the printer at `ipAddress`, empty when unreadable.
  virtual QString frontPanelMessage(AppContext& ctx, const QString& ipAddress) = 0;
};

// Finds no address for any port, so no front-panel message is ever read.
class NoFrontPanel : public FrontPanelReader {
 public:
  QString portIPAddress(AppContext&, const QString&) override { return {}; }
  QString frontPanelMessage(AppContext&, const QString&) override { return {}; }
};

// Reads the address from the registry view of the spooler's ports and the message
// over SNMP (GetPortIPAddress, Get_SNMP_Status).
class NetworkFrontPanel : public FrontPanelReader {
 public:
  QString portIPAddress(AppContext& ctx, const QString& portName) override;
  QString frontPanelMessage(AppContext& ctx, const QString& ipAddress) override;
};

}  // namespace tlw
