#include "sim_server.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTcpServer>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

namespace tlw::sim {

struct SimServer::Connection {
  QSocketNotifier* notifier = nullptr;
  QByteArray job;
  bool truncated = false;
};

namespace {

// Hands over each accepted connection as a plain descriptor, so that the
// printer decides when to close it: only after the job is carried out.
class RawTcpServer : public QTcpServer {
 public:
  using QTcpServer::QTcpServer;
  std::function<void(qintptr)> onConnection;

 protected:
  void incomingConnection(qintptr fd) override {
    if (onConnection)
      onConnection(fd);
    else
      ::close(static_cast<int>(fd));
  }
};

void logLine(const QString& text) {
  std::fprintf(stderr, "printer-sim: %s\n", text.toLocal8Bit().constData());
  std::fflush(stderr);
}

}  // namespace

SimServer::SimServer(const SimOptions& options, QObject* parent)
    : QObject(parent), options_(options) {
  runningLine1_ = options.stalled ? defaultPanelLine1(false) : options.panelLine1;
  runningLine2_ = options.stalled ? defaultPanelLine2(false) : options.panelLine2;
  stalledLine1_ = options.stalled ? options.panelLine1 : defaultPanelLine1(true);
  stalledLine2_ = options.stalled ? options.panelLine2 : defaultPanelLine2(true);
  PrinterState& s = interpreter_.state();
  s.stalled = options.stalled;
  s.panelLine1 = options.panelLine1;
  s.panelLine2 = options.panelLine2;
}

SimServer::~SimServer() {
  releaseReserved();
  // Jobs still being read when the printer stops are dropped.
  for (auto& entry : connections_) {
    delete entry.second->notifier;
    ::close(entry.first);
  }
}

bool SimServer::resumeFromStateFile(QString* error) {
  QFile f(options_.stateFile);
  if (!f.exists()) return true;  // never switched on before: factory settings
  if (!f.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("cannot read %1: %2").arg(options_.stateFile, f.errorString());
    return false;
  }
  constexpr qint64 kMaxStateBytes = 16 * 1024 * 1024;
  const QByteArray text = f.read(kMaxStateBytes + 1);
  QJsonParseError parseError{};
  const QJsonDocument doc = QJsonDocument::fromJson(text, &parseError);
  QString why;
  if (text.size() > kMaxStateBytes)
    why = QStringLiteral("file too large");
  else if (!doc.isObject())
    why = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                        : QStringLiteral("not a JSON object");
  else if (interpreter_.state().restoreStoredSettings(doc.object(), &why))
    return true;
  *error = QStringLiteral("cannot resume from %1: %2").arg(options_.stateFile, why);
  return false;
}

bool SimServer::start(QString* error) {
  if (options_.resume && !resumeFromStateFile(error)) return false;
  port_ = options_.port;
  const bool ok = options_.stalled ? reserveNow(error) : listenNow(error);
  if (!ok) return false;
  writePanelFile();
  writeStateFile();
  logLine(QStringLiteral("%1 on %2:%3 (panel \"%4\" / \"%5\")")
              .arg(stalled() ? QStringLiteral("stalled, refusing connections")
                             : QStringLiteral("taking jobs"))
              .arg(options_.listen)
              .arg(port_)
              .arg(state().panelLine1, state().panelLine2));
  return true;
}

bool SimServer::listenNow(QString* error) {
  auto* server = new RawTcpServer(this);
  server->onConnection = [this](qintptr fd) { onConnection(fd); };
  server_ = server;
  if (!server_->listen(QHostAddress(options_.listen), port_)) {
    *error = QStringLiteral("cannot listen on %1:%2: %3")
                 .arg(options_.listen)
                 .arg(port_)
                 .arg(server_->errorString());
    delete server_;
    server_ = nullptr;
    return false;
  }
  port_ = server_->serverPort();
  return true;
}

bool SimServer::reserveNow(QString* error) {
  // A TCP socket that is bound but never listens: the port stays ours and
  // every connection attempt is refused by the kernel.
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    *error = QStringLiteral("socket: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port_);
  if (::inet_pton(AF_INET, options_.listen.toLatin1().constData(), &addr.sin_addr) != 1 ||
      ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    *error = QStringLiteral("cannot bind %1:%2: %3")
                 .arg(options_.listen)
                 .arg(port_)
                 .arg(QString::fromLocal8Bit(std::strerror(errno)));
    ::close(fd);
    return false;
  }
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  reservedFd_ = fd;
  return true;
}

void SimServer::releaseReserved() {
  if (reservedFd_ >= 0) ::close(reservedFd_);
  reservedFd_ = -1;
}

bool SimServer::setStalled(bool stall, QString* error) {
  if (stall == stalled()) return true;
  if (stall) {
    // Connections already accepted still finish as jobs.
    if (server_) {
      server_->close();
      server_->deleteLater();
      server_ = nullptr;
    }
    if (!reserveNow(error)) return false;
  } else {
    releaseReserved();
    if (!listenNow(error)) return false;
  }
  interpreter_.state().stalled = stall;
  // setPanel writes the state file before the panel file: whoever sees the
  // new panel also finds the new mode in the state.
  if (stall)
    setPanel(stalledLine1_, stalledLine2_);
  else
    setPanel(runningLine1_, runningLine2_);
  logLine(stall ? QStringLiteral("stalled: refusing connections")
                : QStringLiteral("taking jobs again"));
  return true;
}

void SimServer::setPanel(const QString& line1, const QString& line2) {
  PrinterState& s = interpreter_.state();
  s.panelLine1 = line1;
  s.panelLine2 = line2;
  writeStateFile();
  writePanelFile();
}

void SimServer::onConnection(qintptr descriptor) {
  const int fd = static_cast<int>(descriptor);
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  auto conn = std::make_unique<Connection>();
  conn->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(conn->notifier, &QSocketNotifier::activated, this, [this, fd]() { onReadable(fd); });
  connections_[fd] = std::move(conn);
}

void SimServer::onReadable(int fd) {
  auto it = connections_.find(fd);
  if (it == connections_.end()) return;
  Connection& c = *it->second;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n > 0) {
      const qsizetype room = kMaxJobBytes - c.job.size();
      if (n > room) c.truncated = true;
      c.job.append(buf, qMin<qsizetype>(n, room));
      continue;
    }
    if (n == 0) return finishConnection(fd, QString());
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return;
    // A connection that breaks off is still carried out with what arrived.
    return finishConnection(fd, QString::fromLocal8Bit(std::strerror(errno)));
  }
}

void SimServer::finishConnection(int fd, const QString& how) {
  auto it = connections_.find(fd);
  if (it == connections_.end()) return;
  std::unique_ptr<Connection> c = std::move(it->second);
  connections_.erase(it);
  c->notifier->setEnabled(false);
  c->notifier->deleteLater();

  const JobSummary summary = interpreter_.runJob(c->job, c->truncated);
  if (summary.counted) {
    logLine(QStringLiteral("job %1: %2 bytes%3, %4 lines, %5 not understood%6")
                .arg(summary.number)
                .arg(c->job.size())
                .arg(c->truncated ? QStringLiteral(" (cut)") : QString())
                .arg(summary.lines)
                .arg(summary.unknown)
                .arg(how.isEmpty() ? QString() : QStringLiteral(" (connection: %1)").arg(how)));
    writeStateFile();
  }
  // The sender learns that the job is done when the printer closes.
  ::close(fd);
}

void SimServer::writePanelFile() {
  if (options_.panelFile.isEmpty()) return;
  QSaveFile f(options_.panelFile);
  const PrinterState& s = interpreter_.state();
  const QByteArray text = s.panelLine1.toLatin1() + '\n' + s.panelLine2.toLatin1() + '\n';
  if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.commit())
    logLine(QStringLiteral("cannot write panel file %1: %2")
                .arg(options_.panelFile, f.errorString()));
}

void SimServer::writeStateFile() {
  if (options_.stateFile.isEmpty()) return;
  QSaveFile f(options_.stateFile);
  const QByteArray text = QJsonDocument(interpreter_.state().toJson()).toJson();
  if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.commit())
    logLine(QStringLiteral("cannot write state file %1: %2")
                .arg(options_.stateFile, f.errorString()));
}

}  // namespace tlw::sim
