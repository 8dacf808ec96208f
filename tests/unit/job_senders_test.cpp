// The senders: each job is one raw document and two debug log entries.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "core/context.h"
#include "core/settings.h"
#include "delivery/job_senders.h"
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
  ctx.options.UseOldEmulationCmd = 1;
  EXPECT_EQ(SendEmuCmd(ctx, 4), kTrue);
  SendLoadCfgCmd(ctx, 4);
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

TEST_F(Senders, CfgCmdReportsWhetherItSentAndRefusesMissingEntries) {
  EXPECT_EQ(SendCfgCmd(ctx), kFalse);
  EXPECT_TRUE(spooler.submitted.empty());

  settings.setIgnore(IgnoreBox::Gap, 0);
  EXPECT_EQ(SendCfgCmd(ctx), kTrue);
  EXPECT_EQ(spooler.submitted.size(), 1u);
  EXPECT_TRUE(logText().isEmpty());  // debug log off

  settings.setIndex(ListControl::Gap, -1);
  EXPECT_EQ(SendCfgCmd(ctx), kFalse);
  EXPECT_EQ(spooler.submitted.size(), 1u);
}
