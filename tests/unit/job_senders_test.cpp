// The senders: each job is one raw document and two debug log entries.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "core/context.h"
#include "core/settings.h"
#include "delivery/job_senders.h"
#include "setuplang/run_plan.h"
#include "support/fake_spooler.h"

using namespace tlw;

namespace {

class Senders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    spooler.addPrinter(QStringLiteral("zov"));
    ctx.printer.CurrentPrinter = QStringLiteral("zov");
    ctx.services.spooler = &spooler;
    ctx.settings = &settings;
    ctx.log.setFolder(dir.path());
    ctx.log.setTimeSource([] { return QDateTime(QDate(2026, 1, 5), QTime(9, 8, 7)); });
  }
  QByteArray logText() {
    QFile f(ctx.log.filePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  test::FakeSpooler spooler;
  AppContext ctx;
  WizardSettings settings{&ctx.session};
};

}  // namespace

TEST_F(Senders, EachJobIsOneDocumentAndTwoLogEntriesWithTheTag) {
  ctx.log.setEnabled(true);
  settings.setIgnore(IgnoreBox::Emulation, 0);
  settings.setIndex(ListControl::Emulation, 2);  // NIMB
  ctx.request.SaveConfigNumber = 4;
  const RunPlan plan = BuildRunPlan(settings, ctx.request, 1);
  EXPECT_EQ(SendPlannedStep(ctx, plan.steps[0]), SubmitResult::Submitted);  // emulation
  EXPECT_EQ(SendPlannedStep(ctx, plan.steps[1]).jobId, 2u);               // load
  SendEmptyJob(ctx);
  ASSERT_EQ(spooler.submitted.size(), 3u);
  EXPECT_EQ(spooler.submitted[0].documentName, QStringLiteral("Tenlark Command"));
  EXPECT_TRUE(spooler.submitted[0].data.contains("CONFIG-DOWNLOAD;4.\r\n"));
  EXPECT_TRUE(spooler.submitted[0].data.contains("hulswitch   .e  4   0x0\r\n"));

  const QByteArray stamp = "Jan 05,2026 09:08:07 - ";
  const QByteArray expected =
      stamp + "SendEmuCmd \r\n" + spooler.submitted[0].data + "\r\n" + stamp + "SendEmuCmd \r\n\r\n" +
      stamp + "SendEmuCmd \r\n" + spooler.submitted[1].data + "\r\n" + stamp + "SendEmuCmd \r\n\r\n";
  EXPECT_EQ(logText(), expected);  // the probe job is not logged
}

TEST_F(Senders, UpdateStepSendsOnlyWhatIsSelectedAndRefusesMissingEntries) {
  auto update = [this] { return BuildRunPlan(settings, ctx.request, 0).steps[0]; };
  EXPECT_EQ(SendPlannedStep(ctx, update()), SubmitResult::Failed);  // nothing selected
  EXPECT_TRUE(spooler.submitted.empty());

  settings.setIgnore(IgnoreBox::Gap, 0);
  EXPECT_EQ(SendPlannedStep(ctx, update()), SubmitResult::Submitted);
  EXPECT_EQ(spooler.submitted.size(), 1u);
  EXPECT_TRUE(logText().isEmpty());  // debug log off

  settings.setIndex(ListControl::Gap, -1);
  const SubmitResult refused = SendPlannedStep(ctx, update());
  EXPECT_EQ(refused, SubmitResult::Failed);
  EXPECT_EQ(refused.reason, QStringLiteral("no entry selected for Gap Sensor Type"));
  EXPECT_EQ(spooler.submitted.size(), 1u);
}
