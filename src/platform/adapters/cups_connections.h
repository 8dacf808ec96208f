#pragma once
#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <vector>

typedef struct _http_s http_t;

namespace tlw {

// A bounded set of connections to one CUPS scheduler, shared by every thread of a
// run: a request takes a connection (waiting while all are in use) and gives it
// back when it is done, so a process never holds more than `size` connections to
// the scheduler however many queues it configures.
class CupsConnections {
 public:
  // `host` is a host name, an address or a domain socket path; empty means the
  // scheduler of CUPS_SERVER or the system's. `port` 0 means the IPP port of the
  // environment.
  explicit CupsConnections(const QString& host = {}, int port = 0, int size = 1);
  ~CupsConnections();
  CupsConnections(const CupsConnections&) = delete;
  CupsConnections& operator=(const CupsConnections&) = delete;

  // One connection for the time of a request. http() is null when the scheduler
  // could not be reached; the connection goes back to the set when the lease ends.
  class Lease {
   public:
    Lease(CupsConnections* owner, http_t* http) : owner_(owner), http_(http) {}
    Lease(Lease&& other) noexcept : owner_(other.owner_), http_(other.http_) { other.http_ = nullptr; }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    Lease& operator=(Lease&&) = delete;
    ~Lease() { owner_->release(http_); }
    http_t* http() const { return http_; }

   private:
    CupsConnections* owner_;
    http_t* http_;
  };
  Lease acquire();

  // Where printer and job URIs of this scheduler point ("localhost" for a domain socket).
  const QByteArray& uriHost() const { return uriHost_; }
  int uriPort() const { return port_; }
  // The most connections that were ever open at once.
  int mostOpen();

 private:
  void release(http_t* http);

  QByteArray host_;
  QByteArray uriHost_;
  int port_ = 0;
  int size_ = 1;
  std::mutex mutex_;
  std::condition_variable freed_;
  std::vector<http_t*> idle_;
  int open_ = 0;
  int mostOpen_ = 0;
};

}  // namespace tlw
