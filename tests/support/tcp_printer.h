#pragma once
#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tlw::test {

// A stand-in printer on 127.0.0.1: a TCP listener that reads each connection to its
// end and keeps the bytes as one document. It serves from its own thread, so it
// keeps working while the test blocks (in a CUPS call or a wait).
//
//   TcpPrinter printer;                          // listening at once
//   cups.addQueue("Zov4", "Zov 5820-K35 4in", printer.deviceUri());
//   ... send a job ...
//   ASSERT_TRUE(printer.waitForDocuments(1, 20000));
//   EXPECT_EQ(printer.documents()[0], expectedBytes);
class TcpPrinter {
 public:
  TcpPrinter();
  ~TcpPrinter();
  TcpPrinter(const TcpPrinter&) = delete;
  TcpPrinter& operator=(const TcpPrinter&) = delete;

  quint16 port() const { return port_; }
  // "socket://127.0.0.1:PORT/?snmp=false", the CUPS device of this printer.
  QString deviceUri() const;
  // The documents received so far, one per closed connection, in arrival order.
  std::vector<QByteArray> documents() const;
  // Waits (really, on a condition variable) until `count` documents arrived.
  bool waitForDocuments(std::size_t count, int timeoutMs) const;

 private:
  void serve();

  std::thread thread_;
  std::atomic<bool> stop_{false};
  quint16 port_ = 0;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<QByteArray> documents_;
  bool ready_ = false;
};

}  // namespace tlw::test
