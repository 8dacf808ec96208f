#include "platform/adapters/cups_connections.h"

#include <cups/cups.h>

#include <algorithm>

namespace tlw {

CupsConnections::CupsConnections(const QString& host, int port, int size)
    : host_(host.isEmpty() ? QByteArray(cupsServer()) : host.toUtf8()),
      port_(port > 0 ? port : ippPort()),
      size_(std::max(1, size)) {
  uriHost_ = host_.startsWith('/') ? QByteArray("localhost") : host_;
}

CupsConnections::~CupsConnections() {
  for (http_t* http : idle_) httpClose(http);
}

CupsConnections::Lease CupsConnections::acquire() {
  std::unique_lock<std::mutex> lock(mutex_);
  freed_.wait(lock, [this] { return !idle_.empty() || open_ < size_; });
  if (!idle_.empty()) {
    http_t* http = idle_.back();
    idle_.pop_back();
    return Lease(this, http);
  }
  ++open_;
  mostOpen_ = std::max(mostOpen_, open_);
  lock.unlock();
  // Connecting can take a while; other threads use the open connections meanwhile.
  http_t* http = httpConnect2(host_.constData(), port_, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              30000, nullptr);
  if (!http) {
    lock.lock();
    --open_;
    freed_.notify_one();
  }
  return Lease(this, http);
}

void CupsConnections::release(http_t* http) {
  if (!http) return;
  std::lock_guard<std::mutex> lock(mutex_);
  idle_.push_back(http);
  freed_.notify_one();
}

int CupsConnections::mostOpen() {
  std::lock_guard<std::mutex> lock(mutex_);
  return mostOpen_;
}

}  // namespace tlw
