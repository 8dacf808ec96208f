#pragma once
#include <QString>
#include <QThread>
#include <functional>
#include <memory>

#include "apply_options.h"
#include "queue_checks.h"

namespace tlw {

class CupsConnections;

// What a queue's thread tells the main thread.
struct Report {
  enum Kind {
    Line,       // a status log line
    ErrorText,  // the text of a box
    Finished,   // the run ended: `value` 1 configured, 0 not; `text` the reason
  } kind;
  QString queue;  // the queue's label
  QString text;
  int value = 0;
};

using ReportSink = std::function<void(const Report&)>;

// One queue's run of its checked plan, on its own thread with its own event loop,
// clock and spooler; the spooler's requests share the connections of the queue's
// print server.
class QueueRun : public QThread {
 public:
  QueueRun(const ApplyOptions& options, QueueTarget target,
           std::shared_ptr<CupsConnections> connections, ReportSink sink);

 protected:
  void run() override;

 private:
  ApplyOptions options_;
  QueueTarget target_;
  std::shared_ptr<CupsConnections> connections_;
  ReportSink sink_;
};

}  // namespace tlw
