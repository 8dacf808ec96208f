// Sending raw jobs and purging the wizard's own jobs, on the fake spooler.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/context.h"
#include "delivery/raw_channel.h"
#include "support/fake_spooler.h"
#include "support/scripted_prompts.h"

namespace tlw {
namespace {

const QString kQ = QStringLiteral("Zov4");

class RawChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx_.services.spooler = &spooler_;
    ctx_.services.prompts = &prompts_;
    ctx_.printer.CurrentPrinter = kQ;
    spooler_.addPrinter(kQ);
    spooler_.addPrinter(QStringLiteral("Other"));
  }

  std::vector<QByteArray> names(const QString& q) {
    std::vector<QByteArray> out;
    const std::vector<JobInfo> jobs = spooler_.jobs(q).value_or(std::vector<JobInfo>{});
    for (const JobInfo& j : jobs) out.push_back(j.document.value_or("<null>"));
    return out;
  }

  test::FakeSpooler spooler_;
  test::ScriptedPrompts prompts_;
  AppContext ctx_;
};

TEST_F(RawChannelTest, SendsTheTextAsOneNamedDocument) {
  const QByteArray text("!KVX_SETUP\r\n~PAPER;\xb0\r\n\0KVX_END\r\n", 28);
  SendRawJob(ctx_, text);
  ASSERT_EQ(spooler_.submitted.size(), 1u);
  EXPECT_EQ(spooler_.submitted[0].queue, kQ);
  EXPECT_EQ(spooler_.submitted[0].documentName, QStringLiteral("Tenlark Command"));
  EXPECT_EQ(spooler_.submitted[0].data, text);
  EXPECT_EQ(names(kQ), std::vector<QByteArray>{"Tenlark Command"});
  EXPECT_TRUE(prompts_.shown.empty());

  // A refused document is not reported here.
  spooler_.failSubmit = true;
  SendRawJob(ctx_, text);
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(RawChannelTest, UnknownQueueShowsTheBoxOncePerJobAndSendsNothing) {
  ctx_.printer.CurrentPrinter = QStringLiteral("Nope");
  SendRawJob(ctx_, QByteArray("A"));
  SendRawJob(ctx_, QByteArray("B"));
  ASSERT_EQ(prompts_.shown.size(), 2u);
  for (const MessageBox& box : prompts_.shown) {
    EXPECT_EQ(box.text, QStringLiteral("The Printer Name you typed wasn't recognized."));
    EXPECT_EQ(box.title, QString());
    EXPECT_EQ(box.icon, BoxIcon::None);
    EXPECT_EQ(box.buttons, BoxButtons::Ok);
  }
  EXPECT_EQ(spooler_.jobCount(kQ) + spooler_.jobCount(QStringLiteral("Other")), 0u);

  PurgePrintQueue(ctx_);
  EXPECT_EQ(prompts_.shown.size(), 2u);
  EXPECT_TRUE(spooler_.cancelled.empty());
}

TEST_F(RawChannelTest, PurgeDeletesOnlyNamesHoldingTheExactText) {
  spooler_.addJob(kQ, QByteArray("Invoice"));
  const auto a = spooler_.addJob(kQ, QByteArray("Tenlark Command"));
  spooler_.addJob(kQ, QByteArray("tenlark command"));
  const auto b = spooler_.addJob(kQ, QByteArray("Tenlark Command #2"));
  const auto c = spooler_.addJob(kQ, QByteArray("Re: Tenlark Command"));
  spooler_.addJob(kQ, QByteArray("Tenlark  Command"));
  spooler_.addJob(kQ, std::nullopt);
  // Only the first 256 bytes of a name are read.
  spooler_.addJob(kQ, QByteArray(250, 'x') + "Tenlark Command");
  spooler_.addJob(kQ, QByteArray("Ten\0lark Command", 16));
  const auto other = spooler_.addJob(QStringLiteral("Other"), QByteArray("Tenlark Command"));

  PurgePrintQueue(ctx_);
  std::vector<std::pair<QString, std::uint32_t>> expected = {{kQ, a}, {kQ, b}, {kQ, c}};
  EXPECT_EQ(spooler_.cancelled, expected);
  EXPECT_EQ(spooler_.jobCount(kQ), 6u);
  EXPECT_EQ(spooler_.jobCount(QStringLiteral("Other")), 1u);
  EXPECT_EQ(spooler_.jobs(QStringLiteral("Other"))->front().id, other);
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(RawChannelTest, PurgeIsSilentOnFailuresAndGoesOnPastRefusedDeletes) {
  spooler_.addJob(kQ, QByteArray("Tenlark Command"));
  spooler_.failPrinterInfo = true;
  PurgePrintQueue(ctx_);
  EXPECT_EQ(spooler_.jobCount(kQ), 1u);
  spooler_.failPrinterInfo = false;
  spooler_.failJobs = true;
  PurgePrintQueue(ctx_);
  EXPECT_EQ(spooler_.jobCount(kQ), 1u);
  spooler_.failJobs = false;
  spooler_.failCancel = true;
  PurgePrintQueue(ctx_);
  EXPECT_EQ(spooler_.jobCount(kQ), 1u);
  EXPECT_TRUE(prompts_.shown.empty());

  // An empty queue: nothing to do.
  spooler_.failCancel = false;
  spooler_.takeAll(kQ);
  PurgePrintQueue(ctx_);
  EXPECT_TRUE(spooler_.cancelled.empty());
}

TEST_F(RawChannelTest, ManyJobsAreAllExamined) {
  std::vector<std::uint32_t> ours;
  for (int i = 0; i < 1200; ++i) {
    spooler_.addJob(kQ, QByteArray("Label ") + QByteArray::number(i));
    ours.push_back(spooler_.addJob(kQ, QByteArray("Tenlark Command")));
  }
  PurgePrintQueue(ctx_);
  ASSERT_EQ(spooler_.cancelled.size(), ours.size());
  EXPECT_EQ(spooler_.cancelled.back().second, ours.back());
  EXPECT_EQ(spooler_.jobCount(kQ), 1200u);
}

TEST_F(RawChannelTest, PurgeLogsItselfAndEachDeletedJob) {
  QTemporaryDir dir;
  ctx_.log.setFolder(dir.path());
  ctx_.log.setEnabled(true);
  spooler_.addJob(kQ, QByteArray("Other"));
  const auto id = spooler_.addJob(kQ, QByteArray("Tenlark Command"));
  PurgePrintQueue(ctx_);
  QFile f(ctx_.log.filePath());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = f.readAll().split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].endsWith(" - ...PurgePrintQueue\r"));
  EXPECT_TRUE(lines[1].endsWith(" - ...KillPrintJob " + QByteArray::number(id) + "\r"));
}

TEST_F(RawChannelTest, KillPrintJobUsesTheNamedQueueAndIgnoresFailure) {
  const auto id = spooler_.addJob(QStringLiteral("Other"), QByteArray("x"));
  KillPrintJob(ctx_, QStringLiteral("Other"), id);
  EXPECT_EQ(spooler_.jobCount(QStringLiteral("Other")), 0u);
  KillPrintJob(ctx_, QStringLiteral("Other"), id);  // gone already: nothing happens
  KillPrintJob(ctx_, QStringLiteral("Missing"), 5);
  EXPECT_EQ(spooler_.cancelled.size(), 1u);
}

}  // namespace
}  // namespace tlw
