#pragma once

#include "setup_interpreter.h"
#include "sim_options.h"

#include <QObject>

#include <map>
#include <memory>

class QTcpServer;
class QSocketNotifier;

namespace tlw::sim {

// The simulated printer on the network: a raw print server on a loopback TCP
// port. Every connection is one job, carried out when the sender closes it.
// While stalled the port stays bound but does not listen, so connections are
// refused and a print queue keeps its job waiting.
class SimServer : public QObject {
  Q_OBJECT
 public:
  explicit SimServer(const SimOptions& options, QObject* parent = nullptr);
  ~SimServer() override;

  // Takes the stored settings of an earlier state when resuming, binds the
  // port, writes the panel file and the first state. False with a reason when
  // the earlier state is unreadable or the port cannot be had.
  bool start(QString* error);
  quint16 port() const { return port_; }
  bool stalled() const { return interpreter_.state().stalled; }
  // Switches between taking jobs and refusing connections; the front panel
  // shows the lines of the new mode.
  bool setStalled(bool stalled, QString* error);

  const PrinterState& state() const { return interpreter_.state(); }

  // A job longer than this is read to its end but only this much is kept.
  static constexpr qsizetype kMaxJobBytes = 1024 * 1024;

 private:
  struct Connection;
  void onConnection(qintptr fd);
  void onReadable(int fd);
  void finishConnection(int fd, const QString& how);
  bool resumeFromStateFile(QString* error);
  bool listenNow(QString* error);
  bool reserveNow(QString* error);
  void releaseReserved();
  void setPanel(const QString& line1, const QString& line2);
  void writePanelFile();
  void writeStateFile();

  SimOptions options_;
  SetupInterpreter interpreter_;
  QTcpServer* server_ = nullptr;
  std::map<int, std::unique_ptr<Connection>> connections_;
  int reservedFd_ = -1;
  quint16 port_ = 0;
  // Panel lines for each mode: those given on the command line for the mode
  // the printer starts in, the defaults for the other.
  QString runningLine1_, runningLine2_, stalledLine1_, stalledLine2_;
};

}  // namespace tlw::sim
