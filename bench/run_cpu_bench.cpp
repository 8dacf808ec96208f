// What a configuration run costs, side by side, on a private cupsd with TCP
// listeners as printers:
//
//   1. CPU time of one complete six-step run of the job runner (about 85 s of
//      waits, real clock)            vs  the CUPS tools doing the same spooler work
//      without any waits: 12 x lp -o raw (six setup jobs, six probes) and
//      12 x lpstat -o (two looks per step). Target: under 1 CPU-second for the run.
//   2. Wall time of tenlark-apply on 4 queues  vs  on 1 queue (a settings file
//      with one update job: 10 s of waits). Target: ratio at or below 1.3.
//
// Run:  cmake --build BUILD --target run_cpu_bench && BUILD/bench/run_cpu_bench
// (about two minutes; as root or as a user who may run cupsd).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

#include "core/context.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "delivery/job_runner.h"
#include "platform/adapters/cups_spooler.h"
#include "platform/adapters/qt_clock.h"
#include "setuplang/jobs.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"
#include "support/recording_navigator.h"
#include "support/scripted_prompts.h"
#include "support/tcp_printer.h"

using namespace tlw;

namespace {

double cpuSeconds(int who) {
  rusage u{};
  getrusage(who, &u);
  return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

// One complete run: emulation, load, update, calibration, save, power-up.
bool sixStepRun(double* cpu, double* threadCpu, double* wall) {
  AppContext ctx;
  WizardSettings settings(&ctx.session);
  CupsSpooler spooler;
  QtClock clock;
  test::ScriptedPrompts prompts;
  test::RecordingNavigator nav;
  ctx.settings = &settings;
  ctx.navigator = &nav;
  ctx.services.spooler = &spooler;
  ctx.services.clock = &clock;
  ctx.services.prompts = &prompts;
  ctx.printer.CurrentPrinter = QStringLiteral("Zov4");
  settings.setIgnore(IgnoreBox::Emulation, 0);
  settings.setIgnore(IgnoreBox::Gap, 0);
  CollectSettingState(settings, ctx.session, ctx.request);
  ctx.request.SaveConfigRequested = kTrue;
  ctx.request.SaveConfigNumber = 2;
  ctx.request.PowerUpRequested = kTrue;
  ctx.request.PowerUpConfigNumber = 2;
  ctx.session.SettingsSavedToFile = kTrue;
  auto runner = std::make_shared<JobRunner>(ctx);

  const double c0 = cpuSeconds(RUSAGE_SELF), t0 = cpuSeconds(RUSAGE_THREAD);
  QElapsedTimer w;
  w.start();
  runner->Start_Job();
  *wall = w.nsecsElapsed() / 1e9;
  *cpu = cpuSeconds(RUSAGE_SELF) - c0;
  *threadCpu = cpuSeconds(RUSAGE_THREAD) - t0;
  return runner->outcome() == JobRunner::Outcome::Configured &&
         runner->statusLog().count(QStringLiteral("Request received OK")) == 6;
}

// The same spooler work by the CUPS tools: every job and probe, two looks per step.
double toolsCpu(const test::CupsSandbox& cups) {
  const double c0 = cpuSeconds(RUSAGE_CHILDREN);
  const QByteArray probe = BuildEmptyJob();
  const QByteArray jobs[6] = {BuildLoadCfgJob(2), BuildLoadCfgJob(2), BuildSaveCfgJob(2),
                              BuildCalibrateJob(), BuildSaveCfgJob(2), BuildSetPowerUpJob(2)};
  const QStringList lp = {QStringLiteral("-d"), QStringLiteral("Zov4"), QStringLiteral("-o"),
                          QStringLiteral("raw"), QStringLiteral("-t"),
                          QStringLiteral("Tenlark Command")};
  const QStringList look = {QStringLiteral("-o"), QStringLiteral("Zov4")};
  for (const QByteArray& job : jobs) {
    cups.run(QStringLiteral("lpstat"), look);
    cups.run(QStringLiteral("lp"), lp, nullptr, job);
    cups.run(QStringLiteral("lp"), lp, nullptr, probe);
    cups.run(QStringLiteral("lpstat"), look);
  }
  return cpuSeconds(RUSAGE_CHILDREN) - c0;
}

double applyWall(const QString& file, const QStringList& queues, int* exitCode, double* cpu) {
  QStringList args = {file};
  for (const QString& q : queues) args << QStringLiteral("-p") << q;
  const double c0 = cpuSeconds(RUSAGE_CHILDREN);
  QElapsedTimer w;
  w.start();
  QProcess p;
  p.start(QStringLiteral(TENLARK_BINARY_DIR "/apps/tenlark-apply"), args);
  p.waitForFinished(300000);
  const double wall = w.nsecsElapsed() / 1e9;
  *cpu = cpuSeconds(RUSAGE_CHILDREN) - c0;
  *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return wall;
}

}  // namespace

int main() {
  test::ensureApp();
  test::CupsSandbox cups;
  if (!cups.ok()) {
    std::fprintf(stderr, "run_cpu_bench: no private cupsd: %s\n", qPrintable(cups.error()));
    return 1;
  }
  test::TcpPrinter printers[4];
  const QStringList names = {QStringLiteral("Zov4"), QStringLiteral("Zov4b"),
                             QStringLiteral("Zov4c"), QStringLiteral("Zov4d")};
  for (int i = 0; i < 4; ++i) {
    if (!cups.addQueue(names[i], QStringLiteral("Zov 5820-K35 4in"), printers[i].deviceUri())) {
      std::fprintf(stderr, "run_cpu_bench: cannot add queue %s\n", qPrintable(names[i]));
      return 1;
    }
  }

  double cpu = 0, threadCpu = 0, wall = 0;
  const bool ok = sixStepRun(&cpu, &threadCpu, &wall);
  const double tools = toolsCpu(cups);
  std::printf("six-step run (%s), wall %.1f s\n", ok ? "configured" : "FAILED", wall);
  std::printf("  %-44s %8.3f CPU-s\n", "job runner, whole process", cpu);
  std::printf("  %-44s %8.3f CPU-s\n", "job runner, its own thread", threadCpu);
  std::printf("  %-44s %8.3f CPU-s\n", "lp x12 + lpstat x12 (same spooler work)", tools);
  std::printf("  ratio runner / tools %.2f; target under 1 CPU-second: %s\n",
              tools > 0 ? cpu / tools : 0.0, cpu < 1.0 ? "met" : "MISSED");

  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("orientation.tlw"));
  {
    AppContext ctx;
    WizardSettings settings(&ctx.session);
    test::ScriptedPrompts prompts;
    ctx.settings = &settings;
    ctx.services.prompts = &prompts;
    settings.setIgnore(IgnoreBox::Orientation, 0);
    settings.setIndex(ListControl::Orientation, 1);
    if (!SaveWizardSettings(ctx, file)) {
      std::fprintf(stderr, "run_cpu_bench: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  int code1 = -1, code4 = -1;
  double cpu1 = 0, cpu4 = 0;
  const double one = applyWall(file, {names[0]}, &code1, &cpu1);
  const double four = applyWall(file, names, &code4, &cpu4);
  std::printf("tenlark-apply, one update job per queue\n");
  std::printf("  %-44s %8.2f s wall %8.3f CPU-s (exit %d)\n", "1 queue", one, cpu1, code1);
  std::printf("  %-44s %8.2f s wall %8.3f CPU-s (exit %d)\n", "4 queues", four, cpu4, code4);
  std::printf("  ratio 4 / 1 %.2f; target at or below 1.3: %s\n", four / one,
              four / one <= 1.3 ? "met" : "MISSED");
  return ok && code1 == 0 && code4 == 0 ? 0 : 1;
}
