#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class QTemporaryDir;

namespace tlw::test {

// A private CUPS scheduler for one test (or one benchmark), started with
// scripts/cups-sandbox in a temporary folder and stopped when this object dies.
//
//   CupsSandbox cups;                       // starts cupsd; check ok()
//   ASSERT_TRUE(cups.ok()) << cups.error();
//   cups.addQueue("Zov4", "Zov 5820-K35 4in", printer.deviceUri());
//   tlw::CupsSpooler spooler;               // now talks to the sandbox
//
// While it lives, CUPS_SERVER in this process names the sandbox's domain socket
// (and libcups is told so), so CupsSpooler and the CUPS command-line tools started
// from the test talk to it. The previous CUPS_SERVER is restored afterwards.
// Create it before the first CupsSpooler of the test.
class CupsSandbox {
 public:
  CupsSandbox();
  ~CupsSandbox();
  CupsSandbox(const CupsSandbox&) = delete;
  CupsSandbox& operator=(const CupsSandbox&) = delete;

  bool ok() const { return ok_; }
  QString error() const { return error_; }
  QString folder() const;
  // The CUPS_SERVER value (domain socket path).
  QString server() const { return server_; }
  // The loopback TCP port the scheduler also listens on.
  int port() const { return port_; }

  // Adds an enabled queue accepting jobs whose driver (printer-make-and-model)
  // is `model` and whose device is `deviceUri`.
  bool addQueue(const QString& name, const QString& model = QStringLiteral("Zov 5820-K35 4in"),
                const QString& deviceUri = deadDeviceUri());
  // Stops a queue (cupsdisable): its jobs stay queued and it reads as paused.
  bool pauseQueue(const QString& name);
  bool resumeQueue(const QString& name);
  // Stops the scheduler now (as if it died); the folder stays until the end.
  void stop();
  // Makes `name` the scheduler's default destination.
  bool setDefault(const QString& name);

  // Runs a CUPS command-line tool (lp, lpstat, cancel, lpadmin, ...) against this
  // scheduler. Returns its exit code (-1 when it did not run); its output in *out.
  int run(const QString& program, const QStringList& args, QByteArray* out = nullptr,
          const QByteArray& input = {}) const;

  // A socket device on loopback where nothing listens: a job sent there stays at
  // the head of the queue.
  static QString deadDeviceUri();
  // A free loopback TCP port (nothing listens on it once this returns).
  static quint16 freePort();

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QString script_;
  QString server_;
  int port_ = 0;
  bool ok_ = false;
  QString error_;
  QByteArray oldServer_;
  bool hadOldServer_ = false;
};

}  // namespace tlw::test
