// The print queue against a real, private cupsd: the adapter, the raw channel and
// the status reports, with a TCP listener playing the printer.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <functional>
#include <thread>
#include <memory>

#include "core/context.h"
#include "delivery/raw_channel.h"
#include "delivery/status_reader.h"
#include "platform/adapters/cups_spooler.h"
#include "support/cups_sandbox.h"
#include "support/scripted_prompts.h"
#include "support/tcp_printer.h"

namespace tlw {
namespace {

const QString kModel = QStringLiteral("Zov 5820-K35 4in");

// Polls until `done` holds or `timeoutMs` passes (the scheduler works on its own time).
bool eventually(const std::function<bool()>& done, int timeoutMs = 20000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    QThread::msleep(50);
  }
  return true;
}

class CupsQueueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { cups_ = new test::CupsSandbox; }
  static void TearDownTestSuite() {
    delete cups_;
    cups_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(cups_->ok()) << cups_->error().toStdString();
    spooler_ = std::make_unique<CupsSpooler>();
    ctx_.services.spooler = spooler_.get();
    ctx_.services.prompts = &prompts_;
  }

  // A queue name unique to the running test.
  static QString queueName(const char* suffix) {
    return QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
           QLatin1String(suffix);
  }

  std::vector<QByteArray> jobNames(const QString& queue) {
    std::vector<QByteArray> names;
    for (const JobInfo& j : spooler_->jobs(queue).value_or(std::vector<JobInfo>{}))
      names.push_back(j.document.value_or("<none>"));
    return names;
  }

  // Puts a raw job with a chosen name into a queue with the lp tool (another application).
  void lpJob(const QString& queue, const QString& title) {
    ASSERT_EQ(cups_->run(QStringLiteral("lp"),
                         {QStringLiteral("-d"), queue, QStringLiteral("-o"), QStringLiteral("raw"),
                          QStringLiteral("-t"), title},
                         nullptr, QByteArray("x\r\n")),
              0);
  }

  static test::CupsSandbox* cups_;
  std::unique_ptr<CupsSpooler> spooler_;
  test::ScriptedPrompts prompts_;
  AppContext ctx_;
};

test::CupsSandbox* CupsQueueTest::cups_ = nullptr;

TEST_F(CupsQueueTest, ListsQueuesWithDriverPortAndDefault) {
  const QString a = queueName("A"), b = queueName("B");
  ASSERT_TRUE(cups_->addQueue(a, kModel, QStringLiteral("socket://127.0.0.1:9101/?snmp=false")));
  ASSERT_TRUE(cups_->addQueue(b, QStringLiteral("Other Maker X1"),
                              QStringLiteral("socket://127.0.0.1:9102/?snmp=false")));
  ASSERT_TRUE(cups_->setDefault(b));

  std::vector<PrinterEntry> list = spooler_->listPrinters();
  int seenA = -1, seenB = -1;
  for (int i = 0; i < int(list.size()); ++i) {
    if (list[i].name == a) {
      seenA = i;
      EXPECT_EQ(list[i].driverName, kModel);
      EXPECT_EQ(list[i].portName, QStringLiteral("socket://127.0.0.1:9101/?snmp=false"));
    }
    if (list[i].name == b) {
      seenB = i;
      EXPECT_EQ(list[i].driverName, QStringLiteral("Other Maker X1"));
    }
  }
  ASSERT_GE(seenA, 0);
  ASSERT_GE(seenB, 0);
  EXPECT_LT(seenA, seenB);  // the scheduler's order (by name)
  EXPECT_EQ(spooler_->defaultPrinter(), b);

  std::optional<PrinterInfo> info = spooler_->printerInfo(a);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->printerName, a.toLatin1());
  EXPECT_EQ(info->driverName, kModel.toLatin1());
  EXPECT_EQ(info->portName, QByteArray("socket://127.0.0.1:9101/?snmp=false"));
  EXPECT_EQ(info->status, 0u);
  EXPECT_FALSE(spooler_->printerInfo(QStringLiteral("NoSuchQueue")));
  EXPECT_FALSE(spooler_->jobs(QStringLiteral("NoSuchQueue")));
}

TEST_F(CupsQueueTest, MultiLineJobArrivesAtThePrinterUnchanged) {
  test::TcpPrinter printer;
  const QString q = queueName("");
  ASSERT_TRUE(cups_->addQueue(q, kModel, printer.deviceUri()));
  ctx_.printer.CurrentPrinter = q;

  QByteArray text("!KVX_SETUP\r\nWINMODE-BEGIN\r\n~PAPER;WIDTH 400\r\n\r\nKVX_END\r\n");
  text += QByteArray("\x00\xa9\xff tail\r\n", 9);  // 8-bit and NUL bytes pass untouched
  SendRawJob(ctx_, text);
  EXPECT_TRUE(prompts_.shown.empty());

  ASSERT_TRUE(printer.waitForDocuments(1, 30000));
  EXPECT_EQ(printer.documents()[0], text);
  // The printer took it: the queue empties and reads "No Print Jobs!".
  QString printerReport, jobReport = QStringLiteral("old");
  ASSERT_TRUE(eventually([&] {
    CheckPrinter(ctx_, printerReport, jobReport);
    return jobReport == QLatin1String("No Print Jobs!");
  }));
  QString id = QStringLiteral("unchanged");
  EXPECT_EQ(getJobStatus(ctx_, jobReport, id), QStringLiteral("No Print Jobs!"));
  EXPECT_EQ(id, QStringLiteral("unchanged"));
  EXPECT_EQ(printer.documents().size(), 1u);
}

TEST_F(CupsQueueTest, JobWithNoListenerStaysAtTheHeadAndShowsInTheReports) {
  const QString q = queueName("");
  const QString uri = test::CupsSandbox::deadDeviceUri();
  ASSERT_TRUE(cups_->addQueue(q, kModel, uri));
  ctx_.printer.CurrentPrinter = q;

  SendRawJob(ctx_, QByteArray("!KVX_SETUP\r\nKVX_END\r\n"));
  SendRawJob(ctx_, QByteArray());  // an empty probe job queues behind it
  std::vector<JobInfo> jobs;
  ASSERT_TRUE(eventually([&] {
    jobs = spooler_->jobs(q).value_or(std::vector<JobInfo>{});
    return jobs.size() == 2 && jobs[0].statusText.has_value();
  }));
  EXPECT_EQ(jobs[0].document, QByteArray("Tenlark Command"));
  EXPECT_EQ(jobs[1].document, QByteArray("Tenlark Command"));
  EXPECT_LT(jobs[0].id, jobs[1].id);

  QString printerReport, jobReport;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_TRUE(printerReport.startsWith(QStringLiteral("Printer Status = ")));
  EXPECT_TRUE(printerReport.endsWith(QStringLiteral("\r\nPrinter Name = ") + q +
                                     QStringLiteral("\r\nPrinter Driver Name = ") + kModel +
                                     QStringLiteral("\r\nPrinter Port Name = ") + uri +
                                     QStringLiteral("\r\n")))
      << printerReport.toStdString();
  const QString head = QStringLiteral("Job ID = %1\r\nTotal Pages = ").arg(jobs[0].id);
  EXPECT_TRUE(jobReport.startsWith(head)) << jobReport.toStdString();
  EXPECT_TRUE(jobReport.contains(QString::fromLatin1(*jobs[0].statusText) + QStringLiteral("\r\n")));

  QString port, driver, firstId;
  EXPECT_FALSE(getPrinterStatus(ctx_, printerReport, port, driver).isEmpty());
  EXPECT_EQ(port, uri);
  EXPECT_EQ(driver, kModel);
  getJobStatus(ctx_, jobReport, firstId);
  EXPECT_EQ(firstId, QString::number(jobs[0].id));

  // Still there a moment later: nothing takes it.
  QThread::msleep(1500);
  CheckPrinter(ctx_, printerReport, jobReport);
  getJobStatus(ctx_, jobReport, firstId);
  EXPECT_EQ(firstId, QString::number(jobs[0].id));

  PurgePrintQueue(ctx_);
  EXPECT_TRUE(eventually([&] { return spooler_->jobs(q).value_or(std::vector<JobInfo>{1}).empty(); }));
}

TEST_F(CupsQueueTest, PurgeRemovesOnlyTheWizardsJobs) {
  const QString q = queueName("");
  ASSERT_TRUE(cups_->addQueue(q, kModel, test::CupsSandbox::deadDeviceUri()));
  ASSERT_TRUE(cups_->pauseQueue(q));
  ctx_.printer.CurrentPrinter = q;

  lpJob(q, QStringLiteral("Invoice 17"));
  SendRawJob(ctx_, QByteArray("A\r\n"));
  lpJob(q, QStringLiteral("tenlark command"));
  lpJob(q, QStringLiteral("Tenlark Command (retry)"));
  lpJob(q, QStringLiteral("Old Tenlark Command"));
  lpJob(q, QStringLiteral("TENLARK COMMAND"));
  SendRawJob(ctx_, QByteArray("B\r\n"));
  ASSERT_EQ(jobNames(q).size(), 7u);

  PurgePrintQueue(ctx_);
  EXPECT_TRUE(prompts_.shown.empty());
  std::vector<QByteArray> expected = {"Invoice 17", "tenlark command", "TENLARK COMMAND"};
  EXPECT_EQ(jobNames(q), expected);

  // Nothing of ours left: a second purge deletes nothing.
  PurgePrintQueue(ctx_);
  EXPECT_EQ(jobNames(q), expected);
}

TEST_F(CupsQueueTest, SeveralHundredJobsAreReadAndPurgedWhole) {
  const QString q = queueName("");
  ASSERT_TRUE(cups_->addQueue(q, kModel, test::CupsSandbox::deadDeviceUri()));
  ASSERT_TRUE(cups_->pauseQueue(q));
  ctx_.printer.CurrentPrinter = q;

  const int perKind = 350;  // 700 jobs, beyond any first-page limit of the scheduler
  for (int i = 0; i < perKind; ++i) {
    ASSERT_EQ(spooler_->submitRaw(q, QStringLiteral("Label %1").arg(i), "x"), SubmitResult::Submitted);
    SendRawJob(ctx_, QByteArray("y"));
  }
  std::optional<std::vector<JobInfo>> jobs = spooler_->jobs(q);
  ASSERT_TRUE(jobs);
  ASSERT_EQ(jobs->size(), std::size_t(2 * perKind));
  for (std::size_t i = 1; i < jobs->size(); ++i) EXPECT_LT((*jobs)[i - 1].id, (*jobs)[i].id);

  QString printerReport, jobReport;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(jobReport.count(QStringLiteral("Job ID = ")), 2 * perKind);
  // Jobs of a stopped queue are pending (status 0), not held.
  EXPECT_TRUE(jobReport.endsWith(QStringLiteral("Job ID = %1\r\nTotal Pages = 0\r\nReady!  \r\n\r\n")
                                     .arg(jobs->back().id)))
      << jobReport.right(80).toStdString();

  PurgePrintQueue(ctx_);
  std::vector<QByteArray> left = jobNames(q);
  ASSERT_EQ(left.size(), std::size_t(perKind));
  EXPECT_EQ(left.front(), QByteArray("Label 0"));
  EXPECT_EQ(left.back(), QByteArray("Label 349"));
}

TEST_F(CupsQueueTest, UnknownQueueGivesTheBoxOncePerJobAndASilentPurge) {
  const QString other = queueName("Real");
  ASSERT_TRUE(cups_->addQueue(other, kModel, test::CupsSandbox::deadDeviceUri()));
  ASSERT_TRUE(cups_->pauseQueue(other));
  ctx_.printer.CurrentPrinter = QStringLiteral("NoSuchQueue");

  SendRawJob(ctx_, QByteArray("A\r\n"));
  SendRawJob(ctx_, QByteArray("B\r\n"));
  ctx_.printer.CurrentPrinter = QString();  // no printer chosen reads the same
  SendRawJob(ctx_, QByteArray("C\r\n"));
  ASSERT_EQ(prompts_.shown.size(), 3u);
  for (const MessageBox& box : prompts_.shown) {
    EXPECT_EQ(box.text, QStringLiteral("The Printer Name you typed wasn't recognized."));
    EXPECT_TRUE(box.title.isEmpty());
    EXPECT_EQ(box.icon, BoxIcon::None);
    EXPECT_EQ(box.buttons, BoxButtons::Ok);
  }
  EXPECT_TRUE(jobNames(other).empty());

  PurgePrintQueue(ctx_);
  ctx_.printer.CurrentPrinter = QStringLiteral("NoSuchQueue");
  PurgePrintQueue(ctx_);
  EXPECT_EQ(prompts_.shown.size(), 3u);

  // The reports keep what they held.
  QString printerReport = QStringLiteral("P\r\n"), jobReport = QStringLiteral("J\r\n");
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(printerReport, QStringLiteral("P\r\n"));
  EXPECT_EQ(jobReport, QStringLiteral("J\r\n"));
}

TEST_F(CupsQueueTest, UnreachableSchedulerGivesTheUnknownQueueBox) {
  const QString q = queueName("");
  ASSERT_TRUE(cups_->addQueue(q, kModel, test::CupsSandbox::deadDeviceUri()));
  ASSERT_TRUE(cups_->pauseQueue(q));
  ctx_.printer.CurrentPrinter = q;

  // Point libcups at a socket nobody serves, then send as a fresh spooler would.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  cupsSetServer((dir.path() + QStringLiteral("/gone.sock")).toLocal8Bit().constData());
  {
    CupsSpooler unreachable;
    ctx_.services.spooler = &unreachable;
    EXPECT_EQ(unreachable.submitRaw(q, QStringLiteral("Tenlark Command"), "A\r\n"),
              SubmitResult::UnknownQueue);
    SendRawJob(ctx_, QByteArray("B\r\n"));
    SendRawJob(ctx_, QByteArray("C\r\n"));
    PurgePrintQueue(ctx_);  // silent
  }
  cupsSetServer(cups_->server().toLocal8Bit().constData());
  ctx_.services.spooler = spooler_.get();

  ASSERT_EQ(prompts_.shown.size(), 2u);
  for (const MessageBox& box : prompts_.shown)
    EXPECT_EQ(box.text, QStringLiteral("The Printer Name you typed wasn't recognized."));
  EXPECT_TRUE(jobNames(q).empty());
}

TEST_F(CupsQueueTest, PausedQueueReadsPausedAndEmptyQueueNoPrintJobs) {
  const QString q = queueName("");
  ASSERT_TRUE(cups_->addQueue(q, kModel, test::CupsSandbox::deadDeviceUri()));
  ctx_.printer.CurrentPrinter = q;

  QString printerReport, jobReport;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_TRUE(printerReport.startsWith(QStringLiteral("Printer Status = Ready\r\n")));
  EXPECT_EQ(jobReport, QStringLiteral("No Print Jobs!"));
  QString port, driver;
  EXPECT_EQ(getPrinterStatus(ctx_, printerReport, port, driver), QStringLiteral("Ready"));

  ASSERT_TRUE(cups_->pauseQueue(q));
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_TRUE(printerReport.startsWith(QStringLiteral("Printer Status = Paused  \r\n")))
      << printerReport.toStdString();
  EXPECT_EQ(getPrinterStatus(ctx_, printerReport, port, driver), QStringLiteral("Paused  "));

  // A job held in the paused queue, then the queue emptied by the purge.
  SendRawJob(ctx_, QByteArray("Z\r\n"));
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_TRUE(jobReport.startsWith(QStringLiteral("Job ID = "))) << jobReport.toStdString();
  PurgePrintQueue(ctx_);
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(jobReport, QStringLiteral("No Print Jobs!"));
}

}  // namespace
}  // namespace tlw

namespace tlw {
namespace {

// Many threads, one bounded set of connections: nobody holds more than the set's
// size open to the scheduler, and every request is answered.
TEST_F(CupsQueueTest, ThreadsShareABoundedSetOfConnections) {
  const QString q = queueName("");
  ASSERT_TRUE(cups_->addQueue(q, kModel));
  auto connections = std::make_shared<CupsConnections>(QString(), 0, 3);
  std::atomic<int> answered{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 24; ++t) {
    threads.emplace_back([&] {
      CupsSpooler spooler(connections);
      for (int i = 0; i < 10; ++i)
        if (spooler.printerInfo(q)) ++answered;
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(answered.load(), 240);
  EXPECT_LE(connections->mostOpen(), 3);
  EXPECT_GE(connections->mostOpen(), 1);

  // A queue that rejects jobs reads Not Available and refuses with the server's words.
  ASSERT_EQ(cups_->run(QStringLiteral("cupsreject"), {q}), 0);
  CupsSpooler spooler(connections);
  const std::optional<PrinterInfo> info = spooler.printerInfo(q);
  ASSERT_TRUE(info.has_value());
  EXPECT_FALSE(info->acceptingJobs);
  EXPECT_TRUE(info->status & PrinterStatus::NotAvailable);
  const SubmitResult refused = spooler.submitRaw(q, QStringLiteral("Tenlark Command"), "x");
  EXPECT_EQ(refused, SubmitResult::Failed);
  EXPECT_TRUE(refused.reason.contains(QStringLiteral("not accepting jobs"))) << refused.reason.toStdString();
}

}  // namespace
}  // namespace tlw

namespace tlw {
namespace {

// A scheduler holding as many jobs as it may: the submission is asked again for the
// time allowed, then fails with the scheduler's words.
TEST(CupsBusyScheduler, FullSchedulerIsAskedAgainThenRefusesWithItsReason) {
  qputenv("CUPS_SANDBOX_MAX_JOBS", "1");
  test::CupsSandbox cups;
  qunsetenv("CUPS_SANDBOX_MAX_JOBS");
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Full"), kModel));  // nothing listens: jobs stay
  CupsSpooler spooler;
  ASSERT_EQ(spooler.submitRaw(QStringLiteral("Full"), QStringLiteral("Tenlark Command"), "1"),
            SubmitResult::Submitted);
  spooler.setBusyRetry(1500);
  QElapsedTimer t;
  t.start();
  const SubmitResult r = spooler.submitRaw(QStringLiteral("Full"), QStringLiteral("Tenlark Command"), "2");
  EXPECT_EQ(r, SubmitResult::Failed);
  EXPECT_EQ(r.reason, QStringLiteral("Too many active jobs."));
  EXPECT_GE(t.elapsed(), 300);  // asked again, waiting longer each time, within the time allowed
  EXPECT_LT(t.elapsed(), 3000);
}

}  // namespace
}  // namespace tlw
