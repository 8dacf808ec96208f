#include "sim_server.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTcpServer>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tlw::sim {

namespace {

void logLine(const QString& text) {
  std::fprintf(stderr, "printer-sim: %s\n", text.toLocal8Bit().constData());
  std::fflush(stderr);
}

// Per-connection reading state, kept on the socket itself.
const char kBufferProp[] = "simJob";
const char kTruncatedProp[] = "simTruncated";
const char kDoneProp[] = "simDone";

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

SimServer::~SimServer() { releaseReserved(); }

bool SimServer::start(QString* error) {
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
  server_ = new QTcpServer(this);
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
  connect(server_, &QTcpServer::newConnection, this, &SimServer::onNewConnection);
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
    server_->close();
    server_->deleteLater();
    server_ = nullptr;
    if (!reserveNow(error)) return false;
    setPanel(stalledLine1_, stalledLine2_);
  } else {
    releaseReserved();
    if (!listenNow(error)) return false;
    setPanel(runningLine1_, runningLine2_);
  }
  interpreter_.state().stalled = stall;
  writeStateFile();
  logLine(stall ? QStringLiteral("stalled: refusing connections")
                : QStringLiteral("taking jobs again"));
  return true;
}

void SimServer::setPanel(const QString& line1, const QString& line2) {
  PrinterState& s = interpreter_.state();
  if (s.panelLine1 == line1 && s.panelLine2 == line2) return;
  s.panelLine1 = line1;
  s.panelLine2 = line2;
  writePanelFile();
}

void SimServer::onNewConnection() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    socket->setParent(this);
    socket->setProperty(kBufferProp, QByteArray());
    socket->setProperty(kTruncatedProp, false);
    socket->setProperty(kDoneProp, false);
    auto drain = [this, socket]() {
      QByteArray buf = socket->property(kBufferProp).toByteArray();
      const QByteArray chunk = socket->readAll();
      const qsizetype room = kMaxJobBytes - buf.size();
      if (chunk.size() > room) socket->setProperty(kTruncatedProp, true);
      buf.append(chunk.left(room));
      socket->setProperty(kBufferProp, buf);
    };
    connect(socket, &QTcpSocket::readyRead, this, drain);
    connect(socket, &QTcpSocket::readChannelFinished, this, [this, socket, drain]() {
      drain();
      finishConnection(socket);
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket, drain]() {
      drain();
      finishConnection(socket);
    });
    // Data may have arrived before the handlers were in place.
    if (socket->bytesAvailable() > 0) drain();
    if (socket->state() != QAbstractSocket::ConnectedState) finishConnection(socket);
  }
}

void SimServer::finishConnection(QTcpSocket* socket) {
  if (socket->property(kDoneProp).toBool()) return;
  socket->setProperty(kDoneProp, true);
  const QByteArray job = socket->property(kBufferProp).toByteArray();
  const bool truncated = socket->property(kTruncatedProp).toBool();
  socket->setProperty(kBufferProp, QByteArray());
  const JobSummary summary = interpreter_.runJob(job, truncated);
  if (summary.counted) {
    logLine(QStringLiteral("job %1: %2 bytes%3, %4 lines, %5 not understood")
                .arg(summary.number)
                .arg(job.size())
                .arg(truncated ? QStringLiteral(" (cut)") : QString())
                .arg(summary.lines)
                .arg(summary.unknown));
    writeStateFile();
  }
  socket->disconnectFromHost();
  socket->deleteLater();
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
