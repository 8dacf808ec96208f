#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QFile>
#include <functional>

#include "core/context.h"
#include "core/exit.h"
#include "core/settings.h"
#include "delivery/front_panel.h"
#include "delivery/job_runner.h"
#include "setuplang/jobs.h"
#include "platform/adapters/qt_clock.h"
#include "support/fake_spooler.h"
#include "support/qt_app.h"
#include "support/recording_navigator.h"
#include "support/scripted_prompts.h"
#include "support/virtual_clock.h"

namespace tlw {
namespace {

const QString kQueue = QStringLiteral("Zov4");

struct RecordingObserver : RunObserver {
  void progressChanged(int value) override { progress.push_back(value); }
  void statusLogChanged(const QString& text, const QString& line) override {
    lines.push_back(line);
    lastText = text;
  }
  std::vector<int> progress;
  QStringList lines;
  QString lastText;
};

struct FixedFrontPanel : FrontPanelReader {
  QString portIPAddress(AppContext&, const QString& port) override {
    ports << port;
    return ip;
  }
  QString frontPanelMessage(AppContext&, const QString& address) override {
    asked << address;
    return message;
  }
  QString ip, message;
  QStringList ports, asked;
};

// The printer behind the fake queue, played in virtual time: 3 s into every wait it
// takes the jobs at the head of the queue, in order, until it meets one that
// `sticks` says it cannot carry out (that job and everything behind it stay).
class JobRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    spooler.addPrinter(kQueue);
    ctx.printer.CurrentPrinter = kQueue;
    ctx.settings = &settings;
    ctx.navigator = &nav;
    ctx.services.spooler = &spooler;
    ctx.services.clock = &clock;
    ctx.services.prompts = &prompts;
    // A finished wizard has its choices saved or answers the exit prompt; keep the
    // exit quiet unless a test wants the prompt.
    ctx.session.SettingsSavedToFile = kTrue;
    runner = std::make_shared<JobRunner>(ctx);
    runner->addObserver(&observer);
    clock.onWait = [this](qint64) {
      clock.after(3000, [this] { printerWorks(); });
    };
  }

  QByteArray dataOf(std::uint32_t id) const {
    for (std::size_t i = 0; i < spooler.submitted.size(); ++i)
      if (i + 1 == id) return spooler.submitted[i].data;
    return {};
  }
  void printerWorks() {
    auto* q = spooler.queue(kQueue);
    while (q && !q->jobs.empty()) {
      if (sticks && sticks(dataOf(q->jobs.front().id))) return;
      spooler.removeFirstJob(kQueue);
    }
  }
  // The document texts handed to the spooler, probe jobs shown as "probe".
  QStringList sentKinds() const {
    QStringList out;
    for (const auto& s : spooler.submitted) {
      EXPECT_EQ(s.documentName, QStringLiteral("Tenlark Command"));
      if (s.data == BuildEmptyJob()) out << "probe";
      else if (s.data.contains("CONFIG-OVERLAY")) out << "emu";
      else if (s.data.contains("CONFIG-LOAD")) out << "load";
      else if (s.data.contains("CALIBRATE")) out << "cal";
      else if (s.data.contains("CONFIG-SAVE")) out << "save";
      else if (s.data.contains("CONFIG-POWERUP")) out << "powerup";
      else out << "cfg";
    }
    return out;
  }
  static std::function<bool(const QByteArray&)> sticksOn(const char* word) {
    return [word](const QByteArray& d) { return d.contains(word); };
  }
  void requestEverything() {
    settings.setIgnore(IgnoreBox::Emulation, 0);
    settings.setIgnore(IgnoreBox::Gap, 0);
    CollectSettingState(settings, ctx.session, ctx.request);
    ctx.request.SaveConfigRequested = kTrue;
    ctx.request.SaveConfigNumber = 2;
    ctx.request.PowerUpRequested = kTrue;
    ctx.request.PowerUpConfigNumber = 2;
    ctx.session.SettingsSavedToFile = kTrue;
  }
  int boxesTitled(const QString& title) const {
    int n = 0;
    for (const auto& b : prompts.shown) n += b.title == title;
    return n;
  }

  AppContext ctx;
  WizardSettings settings{&ctx.session};
  test::FakeSpooler spooler;
  test::VirtualClock clock;
  test::ScriptedPrompts prompts;
  test::RecordingNavigator nav;
  RecordingObserver observer;
  std::shared_ptr<JobRunner> runner;
  std::function<bool(const QByteArray&)> sticks;
};

TEST_F(JobRunnerTest, FullRunSendsEveryStepWithItsWaitsAndSucceeds) {
  requestEverything();
  int closedWhenSuccessShown = -1;
  prompts.onShow = [&](const MessageBox& b) {
    if (b.title == QStringLiteral("Process Successful")) closedWhenSuccessShown = nav.closeAllCalls;
  };
  runner->Start_Job();

  EXPECT_EQ(observer.progress, (std::vector<int>{0, 25, 30, 40, 60, 80, 100}));
  EXPECT_EQ(sentKinds(), QStringList({"emu", "probe", "load", "probe", "cfg", "probe", "cal",
                                      "probe", "save", "probe", "powerup", "probe"}));
  EXPECT_EQ(clock.waits, (std::vector<qint64>{10000, 5000, 10000, 5000, 5000, 5000, 20000, 5000,
                                               5000, 5000, 5000, 5000}));
  EXPECT_EQ(runner->statusLog(),
            QStringLiteral("Initializing ....\r\n"
                           "Requesting active emulation to be changed.\r\n"
                           "  ... Request received OK\r\n"
                           "Requesting loading of configuration #2 to set active emulation.\r\n"
                           "  ... Request received OK\r\n"
                           "Sending configuration update request to printer.\r\n"
                           "  ... Request received OK\r\n"
                           "Requesting auto calibration to be started.\r\n"
                           "  ... Request received OK\r\n"
                           "Requesting configuration to be saved.\r\n"
                           "  ... Request received OK\r\n"
                           "Requesting power-up configuration to be changed.\r\n"
                           "  ... Request received OK\r\n"
                           "Printer Successfully Configured."));
  EXPECT_EQ(observer.lastText, runner->statusLog());
  EXPECT_EQ(boxesTitled(QStringLiteral("Process Successful")), 1);
  EXPECT_EQ(closedWhenSuccessShown, 0);
  EXPECT_EQ(nav.closeAllCalls, 1);
  EXPECT_EQ(ctx.session.SettingsSent, kTrue);
  EXPECT_EQ(runner->outcome(), JobRunner::Outcome::Configured);
  EXPECT_FALSE(runner->running());
}

TEST_F(JobRunnerTest, EmulationLeftAloneSkipsEmulationAndLoad) {
  requestEverything();
  settings.setIgnore(IgnoreBox::Emulation, 1);
  ctx.session.SettingsSavedToFile = kTrue;
  runner->Start_Job();
  EXPECT_EQ(observer.progress, (std::vector<int>{0, 30, 40, 60, 80, 100}));
  EXPECT_EQ(sentKinds(), QStringList({"cfg", "probe", "cal", "probe", "save", "probe", "powerup",
                                      "probe"}));
}

TEST_F(JobRunnerTest, NothingToSendEndsWithoutSuccessBox) {
  ctx.session.SettingsSavedToFile = kFalse;  // nothing selected: no exit prompt either
  runner->Start_Job();
  EXPECT_TRUE(spooler.submitted.empty());
  EXPECT_EQ(runner->statusLog(),
            QStringLiteral("Initializing ....\r\nPrinter Successfully Configured."));
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(nav.closeAllCalls, 1);
  EXPECT_EQ(ctx.session.SettingsSent, kTrue);
}

TEST_F(JobRunnerTest, OnlySaveShowsSuccessBeforeExit) {
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 1;
  int closedWhenShown = -1;
  prompts.onShow = [&](const MessageBox&) { closedWhenShown = nav.closeAllCalls; };
  runner->Start_Job();
  EXPECT_EQ(sentKinds(), QStringList({"save", "probe"}));
  EXPECT_EQ(spooler.submitted[0].data, BuildSaveCfgJob(1));
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].title, QStringLiteral("Process Successful"));
  EXPECT_EQ(closedWhenShown, 0);
  EXPECT_EQ(nav.closeAllCalls, 1);
}

TEST_F(JobRunnerTest, NewLogReplacesThePreviousRunsText) {
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 1;
  sticks = sticksOn("CONFIG-SAVE");
  runner->Start_Job();
  EXPECT_TRUE(runner->statusLog().contains(QStringLiteral("Program terminated!!!")));
  sticks = nullptr;
  spooler.takeAll(kQueue);
  runner->Start_Job();  // Finish pressed again after the failure
  EXPECT_TRUE(runner->statusLog().startsWith(QStringLiteral("Initializing ....\r\n")));
  EXPECT_FALSE(runner->statusLog().contains(QStringLiteral("Program terminated!!!")));
}

TEST_F(JobRunnerTest, EachStepIsJudgedByItsOwnJob) {
  // Only a save is asked for; each case disturbs the spooler or the job in its own
  // way at the first wait (the virtual printer takes jobs 3 s into every wait).
  struct Case {
    const char* name;
    std::function<void()> disturb;  // before the run
    std::function<void()> atFirstWait;
    bool configured;
    const char* reason;
  };
  const Case cases[] = {
      {"queue not accepting jobs", [this] { spooler.setAccepting(kQueue, false); },
       nullptr, false, "the print server refused the job: Printer not accepting jobs."},
      {"queue deleted", [this] { spooler.removePrinter(kQueue); }, nullptr, false,
       "the print server refused the job: The printer or class does not exist."},
      {"neither look reads the queue", [this] { spooler.failJobs = true; },
       nullptr, false, "the print queue could not be read"},
      // The first look cannot read the queue and the printer takes nothing: the job
      // still waiting at the second look was not taken.
      {"first look unreadable, job not printed",
       [this] {
         spooler.failJobs = true;
         sticks = [](const QByteArray&) { return true; };
       },
       [this] { spooler.failJobs = false; }, false,
       "the printer did not take a job"},
      {"first look unreadable, job printed", [this] { spooler.failJobs = true; },
       [this] { spooler.failJobs = false; }, true, ""},
      {"job aborted by the scheduler", nullptr,
       [this] { spooler.abortJob(kQueue, 1); }, false,
       "the print server aborted the job"},
      {"job cancelled from outside", nullptr,
       [this] { spooler.cancelJob(kQueue, 1); }, false, "the job was cancelled"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spooler = test::FakeSpooler();
    spooler.addPrinter(kQueue);
    prompts.shown.clear();
    ctx.exitStarted = false;  // a configured run ends in the program exit
    sticks = nullptr;
    ctx.request.SaveConfigRequested = kTrue;
    ctx.request.SaveConfigNumber = 1;
    if (c.disturb) c.disturb();
    bool first = true;
    clock.onWait = [&](qint64) {
      if (first && c.atFirstWait) c.atFirstWait();
      first = false;
      clock.after(3000, [this] { printerWorks(); });
    };
    runner->Start_Job();
    EXPECT_EQ(runner->outcome(),
              c.configured ? JobRunner::Outcome::Configured : JobRunner::Outcome::Failed);
    EXPECT_EQ(runner->failureReason(), QString::fromLatin1(c.reason));
    EXPECT_EQ(boxesTitled(QStringLiteral("Printer Error")), c.configured ? 0 : 1);
    EXPECT_EQ(boxesTitled(QStringLiteral("Process Successful")), c.configured ? 1 : 0);
    if (!c.configured) {
      EXPECT_TRUE(runner->statusLog().contains(QStringLiteral("... Error Detected.")));
      if (!spooler.failJobs) {
        EXPECT_EQ(spooler.jobCount(kQueue), 0u);  // purged
      }
      EXPECT_EQ(nav.showPage2Calls, 1);
    }
    nav = test::RecordingNavigator();
  }
}

TEST_F(JobRunnerTest, StuckJobFailsOnceAndLaterStepsAreNeverSent) {
  requestEverything();
  settings.setIgnore(IgnoreBox::Emulation, 1);
  ctx.session.SettingsSavedToFile = kTrue;
  sticks = sticksOn("CALIBRATE");
  runner->Start_Job();

  EXPECT_EQ(sentKinds(), QStringList({"cfg", "probe", "cal", "probe"}));
  EXPECT_EQ(observer.progress, (std::vector<int>{0, 30, 40}));
  EXPECT_TRUE(runner->statusLog().endsWith(
      QStringLiteral("Requesting auto calibration to be started.\r\n"
                     "... Error Detected. The command failed. Program unable to continue.\r\n"
                     "... Please check the printer. Correct the error and try again.\r\n"
                     "Program terminated!!!")));
  EXPECT_EQ(boxesTitled(QStringLiteral("Printer Error")), 1);
  EXPECT_TRUE(prompts.shown[0].text.contains(
      QStringLiteral("Please see the printer for the error condition.")));
  EXPECT_EQ(ctx.session.JobErrorFlag, kTrue);
  EXPECT_EQ(ctx.session.SettingsSent, kFalse);
  // Both the stuck job and the probe behind it are purged.
  EXPECT_EQ(spooler.jobCount(kQueue), 0u);
  EXPECT_EQ(spooler.cancelled.size(), 2u);
  EXPECT_EQ(nav.showPage2Calls, 1);
  EXPECT_EQ(nav.closeAllCalls, 0);
  EXPECT_EQ(runner->outcome(), JobRunner::Outcome::Failed);
  EXPECT_FALSE(runner->running());
}

TEST_F(JobRunnerTest, TakenJobWithProbeStillQueuedCountsAsReceived) {
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 3;
  clock.onWait = nullptr;
  clock.after(3000, [this] { spooler.removeFirstJob(kQueue); });  // only the save job
  runner->Start_Job();
  EXPECT_EQ(spooler.jobCount(kQueue), 1u);  // the probe
  EXPECT_EQ(boxesTitled(QStringLiteral("Process Successful")), 1);
  EXPECT_EQ(runner->outcome(), JobRunner::Outcome::Configured);
}

TEST_F(JobRunnerTest, FailedUpdateEndsTheRunLikeAnyFailedStep) {
  requestEverything();
  sticks = sticksOn("ENGINE");  // anything in the update's engine block
  settings.setIgnore(IgnoreBox::Emulation, 1);
  settings.setIgnore(IgnoreBox::Gap, 1);
  settings.setIgnore(IgnoreBox::MediaType, 0);
  ctx.session.SettingsSavedToFile = kTrue;
  // Whatever the update job holds, make it the one that sticks.
  const QByteArray update = BuildCfgJob(settings).text;
  ASSERT_FALSE(update.isEmpty());
  sticks = [update](const QByteArray& d) { return d == update; };
  runner->Start_Job();

  // Nothing after the update is sent, and nothing says the printer was configured:
  // the run stops on page 2 with the error box, and the wizard stays open.
  EXPECT_EQ(sentKinds(), QStringList({"cfg", "probe"}));
  EXPECT_EQ(observer.progress, (std::vector<int>{0, 30}));
  EXPECT_TRUE(runner->statusLog().endsWith(QStringLiteral("Program terminated!!!")));
  EXPECT_FALSE(runner->statusLog().contains(QStringLiteral("Printer Successfully Configured.")));
  EXPECT_EQ(boxesTitled(QStringLiteral("Printer Error")), 1);
  EXPECT_EQ(boxesTitled(QStringLiteral("Process Successful")), 0);
  EXPECT_EQ(nav.showPage2Calls, 1);
  EXPECT_EQ(nav.closeAllCalls, 0);
  EXPECT_EQ(ctx.session.SettingsSent, kFalse);
  EXPECT_EQ(runner->outcome(), JobRunner::Outcome::Failed);
}

TEST_F(JobRunnerTest, FailureReadsFrontPanelWhenPortHasAddress) {
  FixedFrontPanel panel;
  panel.ip = QStringLiteral("127.0.0.1");
  panel.message = QStringLiteral("\tHEAD OPEN\r\n\tCLOSE HEAD");
  runner->setFrontPanelReader(&panel);
  spooler.queue(kQueue)->portName = QByteArray("socket://127.0.0.1:9100");
  ctx.request.PowerUpRequested = kTrue;
  sticks = sticksOn("CONFIG-POWERUP");
  runner->Start_Job();

  EXPECT_EQ(panel.ports, QStringList{QStringLiteral("socket://127.0.0.1:9100")});
  EXPECT_EQ(panel.asked, QStringList{QStringLiteral("127.0.0.1")});
  EXPECT_TRUE(runner->statusLog().endsWith(
      QStringLiteral("... Error Detected. The command failed. Program unable to continue.\r\n"
                     "... Printer Front Panel Message:\r\n"
                     "\tHEAD OPEN\r\n\tCLOSE HEAD\r\n"
                     "Program terminated!!!")));
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_TRUE(prompts.shown[0].text.contains(
      QStringLiteral("Printer Front Panel Message:\r\n\tHEAD OPEN\r\n\tCLOSE HEAD\r\n\r\n")));
}

TEST_F(JobRunnerTest, ErrorFlagOfAnEarlierRunSkipsNothing) {
  // The printer error box of an earlier run left the flag set; this run still
  // sends every step the operator asked for, and starts with the flag cleared.
  requestEverything();
  ctx.session.JobErrorFlag = kTrue;
  runner->Start_Job();
  EXPECT_EQ(sentKinds(), QStringList({"emu", "probe", "load", "probe", "cfg", "probe", "cal",
                                      "probe", "save", "probe", "powerup", "probe"}));
  EXPECT_EQ(ctx.session.JobErrorFlag, kFalse);
  EXPECT_EQ(boxesTitled(QStringLiteral("Process Successful")), 1);
}

TEST_F(JobRunnerTest, UnreadableQueueAtSecondLookJudgesByFirstLook) {
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 1;
  clock.onWait = [this](qint64 ms) {
    if (ms == 5000 && spooler.jobCount(kQueue) == 2) spooler.failJobs = true;  // the probe wait
  };
  runner->Start_Job();
  spooler.failJobs = false;
  EXPECT_EQ(runner->outcome(), JobRunner::Outcome::Failed);
  EXPECT_EQ(boxesTitled(QStringLiteral("Printer Error")), 1);
}

TEST_F(JobRunnerTest, DebugLogRecordsTheCheckAndTheFailure) {
  QTemporaryDir dir;
  ctx.log.setFolder(dir.path());
  ctx.log.setEnabled(true);
  ctx.log.setClock(&clock);
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 1;
  sticks = sticksOn("CONFIG-SAVE");
  runner->Start_Job();
  QFile f(ctx.log.filePath());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray log = f.readAll();
  const QList<QByteArray> order = {"Begin Print", "...Check_Job_Status\r\n",
                                   "...Check_Job_Status: Got status msg",
                                   "...Check_Job_Status: Check status after dummy job",
                                   "Job Failure:1Printer Status:Printer Status = Ready",
                                   "JobFailure: IPAddr=\r\n"};
  qsizetype at = 0;
  for (const QByteArray& item : order) {
    const qsizetype found = log.indexOf(item, at);
    EXPECT_GE(found, 0) << item.constData();
    if (found >= 0) at = found;
  }
  EXPECT_FALSE(log.contains("...Check_Job_Status: Exit"));
}

// --- safety while a run waits ---

TEST_F(JobRunnerTest, SecondStartDuringAWaitDoesNothing) {
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 1;
  clock.after(1000, [this] { runner->Start_Job(); });
  runner->Start_Job();
  EXPECT_EQ(sentKinds(), QStringList({"save", "probe"}));
  EXPECT_EQ(nav.closeAllCalls, 1);
}

TEST_F(JobRunnerTest, ExitDuringAWaitEndsTheRunWithoutTouchingWindows) {
  requestEverything();
  // The operator closes the progress window 2 s into the first wait; the windows
  // go away and drop their observer.
  ctx.session.SettingsSavedToFile = kTrue;
  nav.onCloseAll = [this] { runner->removeObserver(&observer); };
  clock.after(2000, [this] { ExitWizard(ctx); });
  runner->Start_Job();
  EXPECT_EQ(sentKinds(), QStringList({"emu"}));
  EXPECT_EQ(nav.closeAllCalls, 1);
  EXPECT_EQ(nav.showPage2Calls, 0);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(observer.progress, (std::vector<int>{0}));
  EXPECT_EQ(runner->outcome(), JobRunner::Outcome::Stopped);
  // After the exit nothing starts again.
  runner->Start_Job();
  EXPECT_EQ(spooler.submitted.size(), 1u);
}

TEST_F(JobRunnerTest, RunnerSurvivesItsOwnerLettingGoDuringAWait) {
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 1;
  std::weak_ptr<JobRunner> weak = runner;
  bool aliveAfterRelease = false;
  clock.after(1000, [&] {
    runner.reset();  // the window that held it was destroyed
    aliveAfterRelease = !weak.expired();
  });
  weak.lock()->Start_Job();
  EXPECT_TRUE(aliveAfterRelease);
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(sentKinds(), QStringList({"save", "probe"}));
}

TEST_F(JobRunnerTest, FailureWhileExitStartsDuringFrontPanelReadShowsNoPage) {
  struct ExitingPanel : FixedFrontPanel {
    QString frontPanelMessage(AppContext& c, const QString& a) override {
      ExitWizard(c);  // the window is closed during the SNMP reply wait
      return FixedFrontPanel::frontPanelMessage(c, a);
    }
  } panel;
  panel.ip = QStringLiteral("127.0.0.1");
  runner->setFrontPanelReader(&panel);
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 1;
  sticks = sticksOn("CONFIG-SAVE");
  runner->Start_Job();
  EXPECT_EQ(nav.showPage2Calls, 0);
  EXPECT_EQ(nav.closeAllCalls, 1);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(spooler.jobCount(kQueue), 0u);  // still purged
}

TEST_F(JobRunnerTest, RequestStopEndsAfterTheCurrentWait) {
  requestEverything();
  clock.after(500, [this] { runner->requestStop(); });
  runner->Start_Job();
  EXPECT_EQ(sentKinds(), QStringList({"emu"}));
  EXPECT_EQ(runner->outcome(), JobRunner::Outcome::Stopped);
  EXPECT_EQ(nav.closeAllCalls, 0);
}

// On the event-loop clock an exit wakes the wait at once: the run does not sit out
// the rest of its 10-second wait after the program began to close.
TEST(JobRunnerEventLoop, ExitDuringARealWaitEndsItPromptly) {
  test::ensureApp();
  AppContext ctx;
  WizardSettings settings(&ctx.session);
  test::FakeSpooler spooler;
  spooler.addPrinter(kQueue);
  QtClock clock;
  test::ScriptedPrompts prompts;
  test::RecordingNavigator nav;
  ctx.settings = &settings;
  ctx.navigator = &nav;
  ctx.services.spooler = &spooler;
  ctx.services.clock = &clock;
  ctx.services.prompts = &prompts;
  ctx.printer.CurrentPrinter = kQueue;
  settings.setIgnore(IgnoreBox::Emulation, 0);
  ctx.session.SettingsSavedToFile = kTrue;
  auto runner = std::make_shared<JobRunner>(ctx);
  QTimer::singleShot(100, [&] { ExitWizard(ctx); });
  QElapsedTimer t;
  t.start();
  runner->Start_Job();
  EXPECT_LT(t.elapsed(), 5000);
  EXPECT_EQ(runner->outcome(), JobRunner::Outcome::Stopped);
  EXPECT_EQ(spooler.submitted.size(), 1u);
  EXPECT_EQ(nav.closeAllCalls, 1);
}

}  // namespace
}  // namespace tlw
