#include "tcp_printer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <chrono>

namespace tlw::test {

TcpPrinter::TcpPrinter() {
  thread_ = std::thread([this] { serve(); });
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return ready_; });
}

TcpPrinter::~TcpPrinter() {
  stop_ = true;
  thread_.join();
}

QString TcpPrinter::deviceUri() const {
  return QStringLiteral("socket://127.0.0.1:%1/?snmp=false").arg(port_);
}

std::vector<QByteArray> TcpPrinter::documents() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return documents_;
}

bool TcpPrinter::waitForDocuments(std::size_t count, int timeoutMs) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return documents_.size() >= count; });
}

// Blocking calls with short timeouts, so the thread notices stop_ quickly
// without an event loop of its own.
void TcpPrinter::serve() {
  QTcpServer server;
  server.listen(QHostAddress::LocalHost, 0);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    port_ = server.serverPort();
    ready_ = true;
  }
  changed_.notify_all();
  while (!stop_) {
    if (!server.waitForNewConnection(50)) continue;
    while (QTcpSocket* socket = server.nextPendingConnection()) {
      QByteArray document;
      while (!stop_) {
        document += socket->readAll();
        if (socket->state() != QAbstractSocket::ConnectedState) break;
        socket->waitForReadyRead(50);
      }
      document += socket->readAll();
      socket->close();
      delete socket;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        documents_.push_back(document);
      }
      changed_.notify_all();
    }
  }
}

}  // namespace tlw::test
