// The printer and job reports and their parsers, on the fake spooler.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/context.h"
#include "delivery/status_reader.h"
#include "support/fake_spooler.h"

namespace tlw {
namespace {

const QString kQ = QStringLiteral("Zov4");

class StatusReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx_.services.spooler = &spooler_;
    ctx_.printer.CurrentPrinter = kQ;
    spooler_.addPrinter(kQ, QStringLiteral("Zov 5820-K35 4in"), QStringLiteral("socket://10.0.0.5"));
  }

  // Turns the debug log on into a temporary folder; logLines() reads it back.
  void enableLog() {
    ASSERT_TRUE(dir_.isValid());
    ctx_.log.setFolder(dir_.path());
    ctx_.log.setEnabled(true);
  }
  QStringList logLines() {
    QFile f(ctx_.log.filePath());
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList out;
    for (const QString& line : QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"))) {
      const int dash = line.indexOf(QStringLiteral(" - "));
      if (dash >= 0) out << line.mid(dash + 3);
    }
    return out;
  }

  test::FakeSpooler spooler_;
  AppContext ctx_;
  QTemporaryDir dir_;
};

QString statusLine(AppContext& ctx, std::uint32_t word) { return CheckPrinterStatus(ctx, word); }

TEST_F(StatusReaderTest, PrinterStatusWordsInTableOrder) {
  EXPECT_EQ(statusLine(ctx_, 0), QStringLiteral("Printer Status = Ready\r\n"));
  EXPECT_EQ(statusLine(ctx_, 0x410), QStringLiteral("Printer Status = Paper Out  Printing  \r\n"));
  EXPECT_EQ(statusLine(ctx_, 0x8000), QStringLiteral("Printer Status = Initializing  \r\n"));
  EXPECT_EQ(statusLine(ctx_, 0x400000), QStringLiteral("Printer Status = Printer Door Open  \r\n"));
  EXPECT_EQ(statusLine(ctx_, 0x800), QStringLiteral("Printer Status = Output Bin Full  \r\n"));
  EXPECT_EQ(statusLine(ctx_, 0x40), QStringLiteral("Printer Status = Page Problem  \r\n"));
  EXPECT_EQ(statusLine(ctx_, 0x01000000),
            QStringLiteral("Printer Status = Unknown Status of 16777216\r\n"));
  // Bits without text beside listed ones add nothing; the word prints signed.
  EXPECT_EQ(statusLine(ctx_, 0x01000001), QStringLiteral("Printer Status = Paused  \r\n"));
  EXPECT_EQ(statusLine(ctx_, 0x80000000),
            QStringLiteral("Printer Status = Unknown Status of -2147483648\r\n"));
  // Every listed bit at once: all 23 texts, in the table's order.
  EXPECT_EQ(statusLine(ctx_, 0x007FFFFF),
            QStringLiteral("Printer Status = Busy  Printer Door Open  Printer Error  Initializing  "
                           "I/O Active  Manual Feed  No Toner  Not Available  Off Line  "
                           "Out of Memory  Output Bin Full  Page Punt  Paper Jam  Paper Out  "
                           "Page Problem  Paused  Pending Deletion  Printing  Processing  "
                           "Toner Low  User Intervention  Waiting  Warming Up  \r\n"));
}

TEST_F(StatusReaderTest, PrinterReportLayoutAndParse) {
  spooler_.setPrinterStatus(kQ, 0x410);
  QString printerReport, jobReport;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(printerReport,
            QStringLiteral("Printer Status = Paper Out  Printing  \r\nPrinter Name = Zov4\r\n"
                           "Printer Driver Name = Zov 5820-K35 4in\r\n"
                           "Printer Port Name = socket://10.0.0.5\r\n"));
  QString port, driver;
  EXPECT_EQ(getPrinterStatus(ctx_, printerReport, port, driver),
            QStringLiteral("Paper Out  Printing  "));
  EXPECT_EQ(port, QStringLiteral("socket://10.0.0.5"));
  EXPECT_EQ(driver, QStringLiteral("Zov 5820-K35 4in"));

  spooler_.setPrinterStatus(kQ, 0);
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_TRUE(printerReport.startsWith(QStringLiteral("Printer Status = Ready\r\nPrinter Name")));
  EXPECT_EQ(getPrinterStatus(ctx_, printerReport, port, driver), QStringLiteral("Ready"));
}

TEST_F(StatusReaderTest, MissingLongAndNulTextsFromTheSpooler) {
  test::FakeSpooler::Queue* q = spooler_.queue(kQ);
  q->driverName = std::nullopt;
  q->portName = QByteArray(300, 'p') + "tail";
  QString printerReport, jobReport;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_TRUE(printerReport.contains(QStringLiteral("\r\nPrinter Driver Name =  \r\n")));
  EXPECT_TRUE(printerReport.endsWith(QStringLiteral("Printer Port Name = ") +
                                     QString(256, QLatin1Char('p')) + QStringLiteral("\r\n")));

  q->driverName = QByteArray("Zov\0hidden", 10);
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_TRUE(printerReport.contains(QStringLiteral("\r\nPrinter Driver Name = Zov\r\n")));

  EXPECT_EQ(StringFromPointer(std::nullopt), QByteArray(" "));
  EXPECT_EQ(StringFromPointer(QByteArray()), QByteArray());
  EXPECT_EQ(StringFromPointer(QByteArray("\xe9t\xe9")), QByteArray("\xe9t\xe9"));
}

TEST_F(StatusReaderTest, JobReportLinesAndStatusTexts) {
  const auto idA = spooler_.addJob(kQ, QByteArray("Tenlark Command"), 0, std::nullopt, 1);
  const auto idB = spooler_.addJob(kQ, QByteArray("x"), 0x0010 | 0x0040, QByteArray("Out of labels"), 3);
  const auto idC = spooler_.addJob(kQ, std::nullopt, 0x047B, std::nullopt, 0);
  const auto idD = spooler_.addJob(kQ, QByteArray("x"), 0x0080 | 0x1000, std::nullopt, 2);
  QString printerReport, jobReport;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(jobReport,
            QStringLiteral("Job ID = %1\r\nTotal Pages = 1\r\nReady!  \r\n\r\n"
                           "Job ID = %2\r\nTotal Pages = 3\r\nOut of labels\r\n"
                           "Job ID = %3\r\nTotal Pages = 0\r\nSpooling  Off line  Paused  Error  "
                           "Paper Out  Printing  User Intervention Needed  \r\n"
                           "Job ID = %4\r\nTotal Pages = 2\r\nUnknown Status of 4224\r\n")
                .arg(idA)
                .arg(idB)
                .arg(idC)
                .arg(idD));
}

TEST_F(StatusReaderTest, OneReadyJobParsesToReadyAndItsId) {
  const auto id = spooler_.addJob(kQ, QByteArray("Tenlark Command"), 0, std::nullopt, 1);
  QString printerReport, jobReport;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(jobReport.split(QStringLiteral("\r\n")).size(), 5);  // four lines and the end
  QString firstId;
  EXPECT_EQ(getJobStatus(ctx_, jobReport, firstId), QStringLiteral("Ready!  "));
  EXPECT_EQ(firstId, QString::number(id));
}

TEST_F(StatusReaderTest, EmptyQueueAndSecondCallReplaceTheJobReport) {
  QString printerReport, jobReport = QStringLiteral("stale");
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(jobReport, QStringLiteral("No Print Jobs!"));
  QString firstId = QStringLiteral("41");
  EXPECT_EQ(getJobStatus(ctx_, jobReport, firstId), QStringLiteral("No Print Jobs!"));
  EXPECT_EQ(firstId, QStringLiteral("41"));

  spooler_.addJob(kQ, QByteArray("a"));
  const auto second = spooler_.addJob(kQ, QByteArray("b"));
  CheckPrinter(ctx_, printerReport, jobReport);
  spooler_.removeFirstJob(kQ);
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(jobReport.count(QStringLiteral("Job ID = ")), 1);
  getJobStatus(ctx_, jobReport, firstId);
  EXPECT_EQ(firstId, QString::number(second));
}

TEST_F(StatusReaderTest, FailuresKeepTheReports) {
  QString printerReport = QStringLiteral("old printer"), jobReport = QStringLiteral("old jobs");
  spooler_.failPrinterInfo = true;
  spooler_.addJob(kQ, QByteArray("a"));
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(printerReport, QStringLiteral("old printer"));
  EXPECT_EQ(jobReport, QStringLiteral("old jobs"));

  // The job list alone fails: the printer report is new, the job report old.
  spooler_.failPrinterInfo = false;
  spooler_.failJobs = true;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_TRUE(printerReport.startsWith(QStringLiteral("Printer Status = Ready")));
  EXPECT_EQ(jobReport, QStringLiteral("old jobs"));

  ctx_.printer.CurrentPrinter = QStringLiteral("Gone");
  spooler_.failJobs = false;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(jobReport, QStringLiteral("old jobs"));
}

TEST_F(StatusReaderTest, PrinterParserEdgeCases) {
  enableLog();
  QString port = QStringLiteral("p0"), driver = QStringLiteral("d0");
  EXPECT_EQ(getPrinterStatus(ctx_, QString(), port, driver), QString());
  EXPECT_EQ(getPrinterStatus(ctx_, QStringLiteral("Printer Status = Busy  "), port, driver),
            QString());
  EXPECT_EQ(port, QStringLiteral("p0"));
  EXPECT_EQ(driver, QStringLiteral("d0"));

  // The port line ends the scan: a driver line after it is not read. A value
  // holding "= " is cut there.
  const QString report = QStringLiteral(
      "Printer Status = Busy  \r\nPrinter Port Name = lpd://h/q= x\r\n"
      "Printer Driver Name = Late\r\n");
  EXPECT_EQ(getPrinterStatus(ctx_, report, port, driver), QStringLiteral("Busy  "));
  EXPECT_EQ(port, QStringLiteral("lpd://h/q"));
  EXPECT_EQ(driver, QStringLiteral("d0"));
  EXPECT_EQ(logLines(), (QStringList{QStringLiteral("...getPrinterStatus"),
                                     QStringLiteral("...PrinterVar=0 :"),
                                     QStringLiteral("...getPrinterStatus"),
                                     QStringLiteral("...PrinterVar=0 :Printer Status = Busy  "),
                                     QStringLiteral("...getPrinterStatus")}));
}

TEST_F(StatusReaderTest, JobParserEdgeCases) {
  enableLog();
  QString id = QStringLiteral("9");
  EXPECT_EQ(getJobStatus(ctx_, QStringLiteral("garbage"), id), QString());
  EXPECT_EQ(id, QStringLiteral("9"));
  // No "= " in the first line: the whole report, and id "0".
  EXPECT_EQ(getJobStatus(ctx_, QStringLiteral("odd\r\nline"), id), QStringLiteral("odd\r\nline"));
  EXPECT_EQ(id, QStringLiteral("0"));
  // Fewer than three lines: joined from the first.
  EXPECT_EQ(getJobStatus(ctx_, QStringLiteral("Job ID = 12\r\nTotal"), id),
            QStringLiteral("Job ID = 12Total"));
  EXPECT_EQ(id, QStringLiteral("12"));
  // Several jobs: everything from the third line on, without separators.
  EXPECT_EQ(getJobStatus(ctx_,
                         QStringLiteral("Job ID = 3\r\nTotal Pages = 1\r\nPrinting  \r\n"
                                        "Job ID = 4\r\nTotal Pages = 1\r\nReady!  \r\n\r\n"),
                         id),
            QStringLiteral("Printing  Job ID = 4Total Pages = 1Ready!  "));
  EXPECT_EQ(id, QStringLiteral("3"));
  EXPECT_EQ(getJobStatus(ctx_, QStringLiteral("No Print Jobs!"), id), QStringLiteral("No Print Jobs!"));
  EXPECT_EQ(logLines(),
            (QStringList{QStringLiteral("...getJobStatus"), QStringLiteral("...JobVar=0 :garbage"),
                         QStringLiteral("...getJobStatus"), QStringLiteral("...getJobStatus"),
                         QStringLiteral("...start=0 : UBound= 1"),
                         QStringLiteral("...getJobStatus"), QStringLiteral("...getJobStatus"),
                         QStringLiteral("...[ No Print Jobs ]")}));
}

TEST_F(StatusReaderTest, CheckPrinterLogsOnlyWhenTheLogIsOn) {
  QString printerReport, jobReport;
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_FALSE(QFile::exists(QDir(dir_.path()).filePath(QStringLiteral("Log.txt"))));
  enableLog();
  CheckPrinter(ctx_, printerReport, jobReport);
  EXPECT_EQ(logLines(), (QStringList{QStringLiteral("...CheckPrinter"),
                                     QStringLiteral("...CheckPrinterStatus")}));
}

}  // namespace
}  // namespace tlw
