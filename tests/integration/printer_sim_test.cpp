// The built printer simulator as a process: jobs over loopback TCP the way a
// raw print server receives them, its JSON state and panel file, stalling,
// and jobs that come through a private CUPS scheduler.

#include "support/cups_sandbox.h"
#include "support/qt_app.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <initializer_list>

namespace {

const QString kSimBinary = QStringLiteral(TENLARK_BINARY_DIR "/tools/printer-sim/printer-sim");

QByteArray crlfJob(std::initializer_list<const char*> lines) {
  QByteArray job;
  for (const char* l : lines) job += QByteArray(l) + "\r\n";
  return job;
}

// The printer simulator as a child process, stopped with SIGTERM at the end.
class Sim {
 public:
  explicit Sim(QStringList extraArgs) {
    statePath_ = dir_.filePath(QStringLiteral("state.json"));
    panelPath_ = dir_.filePath(QStringLiteral("panel"));
    QStringList args{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--state"),
                     statePath_, QStringLiteral("--panel-file"), panelPath_};
    args += extraArgs;
    proc_.start(kSimBinary, args);
    if (!proc_.waitForStarted(5000)) return;
    QDeadlineTimer deadline(5000);
    while (!proc_.canReadLine() && !deadline.hasExpired())
      proc_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    port_ = proc_.readLine().trimmed().toUShort();
  }
  ~Sim() {
    if (proc_.state() != QProcess::NotRunning) {
      proc_.terminate();
      if (!proc_.waitForFinished(5000)) proc_.kill();
      proc_.waitForFinished(2000);
    }
  }

  quint16 port() const { return port_; }
  QString statePath() const { return statePath_; }
  QProcess& process() { return proc_; }
  QString deviceUri() const {
    return QStringLiteral("socket://127.0.0.1:%1/?snmp=false").arg(port_);
  }

  QJsonObject state() const {
    QFile f(statePath_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(f.readAll()).object();
  }
  QByteArray panel() const {
    QFile f(panelPath_);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void signal(int sig) { ::kill(static_cast<pid_t>(proc_.processId()), sig); }
  // Waits (bounded) until the panel file holds `text`.
  bool waitForPanel(const QByteArray& text) const {
    QDeadlineTimer deadline(5000);
    while (panel() != text) {
      if (deadline.hasExpired()) return false;
      QThread::msleep(20);
    }
    return true;
  }
  // Waits (bounded) until the state file counts `jobs` jobs.
  bool waitForJobs(int jobs, int ms) const {
    QDeadlineTimer deadline(ms);
    while (state()["jobs"].toInt() != jobs) {
      if (deadline.hasExpired()) return false;
      QThread::msleep(50);
    }
    return true;
  }

 private:
  QTemporaryDir dir_;
  QString statePath_, panelPath_;
  QProcess proc_;
  quint16 port_ = 0;
};

int connectTo(quint16 port) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  timeval tv{5, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Sends one job the way a raw print backend does: write it all, close the
// sending side, then wait for the printer to close the connection (which the
// simulator does once the job is carried out and its state written).
::testing::AssertionResult sendJob(quint16 port, const QByteArray& job) {
  const int fd = connectTo(port);
  if (fd < 0) return ::testing::AssertionFailure() << "connection refused";
  bool ok = ::send(fd, job.constData(), static_cast<size_t>(job.size()), MSG_NOSIGNAL) ==
            job.size();
  ::shutdown(fd, SHUT_WR);
  char buf[64];
  ssize_t n;
  while ((n = ::recv(fd, buf, sizeof buf, 0)) > 0) {
  }
  ok = ok && n == 0;
  ::close(fd);
  return ok ? ::testing::AssertionSuccess()
            : ::testing::AssertionFailure() << "the printer did not close the connection";
}

QJsonObject config(const QJsonObject& state, const char* n) {
  return state["configurations"].toObject()[QLatin1String(n)].toObject();
}

class PrinterSim : public ::testing::Test {
 protected:
  void SetUp() override { tlw::test::ensureApp(); }
};

}  // namespace

TEST_F(PrinterSim, WizardSequenceLeavesKoruInConfigurationTwo) {
  Sim sim({});
  ASSERT_NE(sim.port(), 0);
  const QByteArray probe = crlfJob({"!KVX_SETUP", "KVX_END"});
  const QList<QByteArray> jobs = {
      crlfJob({"!KVX_SETUP", "CONFIG-OVERLAY;2.", "guardsave   .e  0   0x0",
               "hulswitch   .e  2   0x0", "CONFIG-OVERLAY;END.", "KVX_END"}),
      probe,
      crlfJob({"!KVX_SETUP", "CONFIG-LOAD;2", "KVX_END"}),
      probe,
      crlfJob({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;SPEED IPS 4", "~PAPER;LABELS 2",
               "!KVX_SETUP", "WINMODE-END", "KVX_END"}),
      probe,
      crlfJob({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;CALIBRATE", "!KVX_SETUP",
               "WINMODE-END", "KVX_END"}),
      probe,
      crlfJob({"!KVX_SETUP", "CONFIG-SAVE;2", "KVX_END"}),
      probe,
      crlfJob({"!KVX_SETUP", "CONFIG-POWERUP;2", "KVX_END"}),
      probe,
  };
  for (const QByteArray& job : jobs) ASSERT_TRUE(sendJob(sim.port(), job));

  const QJsonObject s = sim.state();
  const QJsonObject active = s["active"].toObject();
  EXPECT_EQ(active["emulation"].toString(), "KORU");
  EXPECT_EQ(active["speed"].toInt(), 4);
  EXPECT_EQ(active["sensor"].toString(), "gap");
  EXPECT_EQ(s["activeConfiguration"].toInt(), 2);
  EXPECT_EQ(config(s, "2"), active);
  EXPECT_EQ(config(s, "1")["emulation"].toString(), "VEXA");
  EXPECT_EQ(s["powerUp"].toInt(), 2);
  EXPECT_EQ(s["jobs"].toInt(), jobs.size());
  EXPECT_EQ(s["calibrations"].toInt(), 1);
  EXPECT_EQ(s["unknownLines"].toArray().size(), 0);
  EXPECT_EQ(s["lineEnds"].toObject()["lf"].toInt(), 0);
  EXPECT_EQ(s["lineEnds"].toObject()["none"].toInt(), 0);
  // Every job's bytes arrived as sent, in order.
  const QJsonArray recent = s["recentJobs"].toArray();
  ASSERT_EQ(recent.size(), jobs.size());
  for (int i = 0; i < jobs.size(); ++i)
    EXPECT_EQ(recent[i].toObject()["text"].toString().toLatin1(), jobs[i]) << "job " << i;
  EXPECT_EQ(sim.panel(), "READY\nONLINE\n");

  sim.process().terminate();
  ASSERT_TRUE(sim.process().waitForFinished(5000));
  EXPECT_EQ(sim.process().exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(sim.process().exitCode(), 0);

  // Switched on again, the printer comes up with its power-up configuration.
  QProcess again;
  again.start(kSimBinary, {"--port", "0", "--state", sim.statePath(), "--resume"});
  ASSERT_TRUE(again.waitForReadyRead(5000));
  const QJsonObject r = sim.state();
  again.terminate();
  again.waitForFinished(5000);
  EXPECT_EQ(r["active"].toObject(), active);
  EXPECT_EQ(r["configurations"].toObject(), s["configurations"].toObject());
  EXPECT_EQ(r["powerUp"].toInt(), 2);
  EXPECT_EQ(r["jobs"].toInt(), 0);
}

TEST_F(PrinterSim, BadLinesAndBareConnectionsOverTheWire) {
  Sim sim({});
  ASSERT_NE(sim.port(), 0);
  // A connection that carries nothing is not a job.
  const int fd = connectTo(sim.port());
  ASSERT_GE(fd, 0);
  ::close(fd);
  ASSERT_TRUE(sendJob(sim.port(), "~PAPER;SPEED IPS 2\nENGINE-MODE;D\n!KVX_SETUP\nBOGUS;1\n"));
  ASSERT_TRUE(sim.waitForJobs(1, 5000));
  const QJsonObject s = sim.state();
  EXPECT_EQ(s["unknownLines"].toArray(),
            QJsonArray({"~PAPER;SPEED IPS 2", "ENGINE-MODE;D", "BOGUS;1", "!KVX_SETUP"}));
  EXPECT_EQ(s["lineEnds"].toObject()["lf"].toInt(), 4);
  EXPECT_EQ(s["active"].toObject()["speed"].toInt(), 4);
  EXPECT_EQ(s["active"].toObject()["printMode"].toString(), "thermal-transfer");
}

TEST_F(PrinterSim, StalledPrinterRefusesUntilToggled) {
  Sim sim({"--stalled", "--panel", "PAPER OUT", "LOAD MEDIA"});
  ASSERT_NE(sim.port(), 0);
  EXPECT_EQ(sim.panel(), "PAPER OUT\nLOAD MEDIA\n");
  EXPECT_TRUE(sim.state()["stalled"].toBool());
  EXPECT_EQ(connectTo(sim.port()), -1);

  sim.signal(SIGUSR1);
  ASSERT_TRUE(sim.waitForPanel("READY\nONLINE\n"));
  EXPECT_FALSE(sim.state()["stalled"].toBool());
  ASSERT_TRUE(sendJob(sim.port(), crlfJob({"!KVX_SETUP", "CONFIG-POWERUP;5", "KVX_END"})));
  EXPECT_EQ(sim.state()["powerUp"].toInt(), 5);

  sim.signal(SIGUSR1);
  ASSERT_TRUE(sim.waitForPanel("PAPER OUT\nLOAD MEDIA\n"));
  EXPECT_EQ(connectTo(sim.port()), -1);
  EXPECT_TRUE(sim.state()["stalled"].toBool());
}

TEST_F(PrinterSim, CommandLineMistakesBusyPortAndDamagedState) {
  QProcess bad;
  bad.start(kSimBinary, {"--listen", "0.0.0.0"});
  ASSERT_TRUE(bad.waitForFinished(5000));
  EXPECT_EQ(bad.exitCode(), 2);

  QTemporaryDir dir;
  const QString damaged = dir.filePath("state.json");
  QFile f(damaged);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("{\"configurations\": ");
  f.close();
  QProcess resume;
  resume.start(kSimBinary, {"--port", "0", "--state", damaged, "--resume"});
  ASSERT_TRUE(resume.waitForFinished(5000));
  EXPECT_EQ(resume.exitCode(), 1);
  EXPECT_TRUE(resume.readAllStandardError().contains("cannot resume"));

  Sim first({});
  ASSERT_NE(first.port(), 0);
  QProcess second;
  second.start(kSimBinary, {"--port", QString::number(first.port())});
  ASSERT_TRUE(second.waitForFinished(5000));
  EXPECT_EQ(second.exitCode(), 1);
  EXPECT_TRUE(second.readAllStandardError().contains("cannot listen"));
}

TEST_F(PrinterSim, JobsThroughCupsReachTheSimulatorOrWaitWhenStalled) {
  tlw::test::CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  Sim working({});
  Sim stalled({"--stalled"});
  ASSERT_NE(working.port(), 0);
  ASSERT_NE(stalled.port(), 0);
  ASSERT_TRUE(cups.addQueue("SimWorking", "Zov 5820-K35 4in", working.deviceUri()));
  ASSERT_TRUE(cups.addQueue("SimStalled", "Zov 5820-K35 8in", stalled.deviceUri()));

  const QByteArray job = crlfJob({"!KVX_SETUP", "ENGINE-MEDIA_HANDLING;4", "KVX_END"});
  for (const char* queue : {"SimWorking", "SimStalled"})
    ASSERT_EQ(cups.run("lp", {"-d", queue, "-o", "raw", "-t", "Tenlark Command"}, nullptr, job), 0);

  ASSERT_TRUE(working.waitForJobs(1, 20000));
  const QJsonObject s = working.state();
  EXPECT_EQ(s["active"].toObject()["mediaHandling"].toString(), "cut");
  EXPECT_EQ(s["recentJobs"].toArray()[0].toObject()["text"].toString().toLatin1(), job);

  QByteArray queued;
  ASSERT_EQ(cups.run("lpstat", {"-o", "SimStalled"}, &queued), 0);
  EXPECT_TRUE(queued.contains("SimStalled-")) << queued.constData();
  EXPECT_EQ(stalled.state()["jobs"].toInt(), 0);
}
