#include "setuplang/run_plan.h"

#include "core/settings.h"
#include "core/state.h"

namespace tlw {

namespace {

// First wait of each step, in seconds; the wait after the probe job is always 5.
constexpr int kEmulationWait = 10;
constexpr int kLoadWait = 10;
constexpr int kUpdateWait = 5;
constexpr int kCalibrationWait = 20;
constexpr int kSaveWait = 5;
constexpr int kPowerUpWait = 5;

RunStep step(StepKind kind, int wait, const QString& status, bool announceFirst, int progress) {
  RunStep s;
  s.kind = kind;
  s.firstWait = wait;
  s.statusLine = status;
  s.announceFirst = announceFirst;
  s.progressBefore = progress;
  return s;
}

}  // namespace

QString RunPlan::refusal() const {
  for (const RunStep& s : steps)
    if (!s.refusal.isEmpty()) return s.refusal;
  return {};
}

std::vector<const RunStep*> RunPlan::sendingSteps() const {
  std::vector<const RunStep*> list;
  for (const RunStep& s : steps)
    if (s.sends()) list.push_back(&s);
  return list;
}

RunPlan BuildRunPlan(const WizardSettings& settings, const RunRequest& request,
                     int useOldEmulationCmd) {
  RunPlan plan;
  const int saveNumber = request.SaveConfigNumber;
  if (settings.ignore(IgnoreBox::Emulation) == 0) {
    const BuiltJob emulation = BuildEmuJob(settings, saveNumber, useOldEmulationCmd);
    RunStep emu = step(StepKind::Emulation, kEmulationWait,
                       QStringLiteral("Requesting active emulation to be changed."), true, -1);
    RunStep load = step(StepKind::Load, kLoadWait,
                        QStringLiteral("Requesting loading of configuration #") +
                            QString::number(saveNumber) +
                            QStringLiteral(" to set active emulation."),
                        false, 25);
    emu.job = emulation.text;
    emu.refusal = emulation.problem;
    // Loading a configuration that did not get the emulation would change nothing.
    if (!emulation.refused) load.job = BuildLoadCfgJob(saveNumber);
    plan.steps.push_back(emu);
    plan.steps.push_back(load);
  }

  const BuiltJob update = BuildCfgJob(settings);
  RunStep upd = step(StepKind::Update, kUpdateWait,
                     QStringLiteral("Sending configuration update request to printer."), false, 30);
  upd.job = update.text;
  upd.refusal = update.problem;
  plan.steps.push_back(upd);

  RunStep calibrate = step(StepKind::Calibrate, kCalibrationWait,
                           QStringLiteral("Requesting auto calibration to be started."), true, 40);
  if (isSet(request.CalibrationNeeded)) calibrate.job = BuildCalibrateJob();
  plan.steps.push_back(calibrate);

  RunStep save = step(StepKind::Save, kSaveWait,
                      QStringLiteral("Requesting configuration to be saved."), true, 60);
  if (isSet(request.SaveConfigRequested)) save.job = BuildSaveCfgJob(saveNumber);
  plan.steps.push_back(save);

  RunStep powerUp = step(StepKind::PowerUp, kPowerUpWait,
                         QStringLiteral("Requesting power-up configuration to be changed."), true, 80);
  if (isSet(request.PowerUpRequested)) powerUp.job = BuildSetPowerUpJob(request.PowerUpConfigNumber);
  plan.steps.push_back(powerUp);
  return plan;
}

QString StepName(StepKind kind) {
  switch (kind) {
    case StepKind::Emulation: return QStringLiteral("emulation");
    case StepKind::Load: return QStringLiteral("load");
    case StepKind::Update: return QStringLiteral("update");
    case StepKind::Calibrate: return QStringLiteral("calibrate");
    case StepKind::Save: return QStringLiteral("save");
    case StepKind::PowerUp: return QStringLiteral("power-up");
  }
  return {};
}

QString StepFileName(StepKind kind) {
  switch (kind) {
    case StepKind::Emulation: return QStringLiteral("01-emulation.job");
    case StepKind::Load: return QStringLiteral("02-load-config.job");
    case StepKind::Update: return QStringLiteral("03-update.job");
    case StepKind::Calibrate: return QStringLiteral("04-calibrate.job");
    case StepKind::Save: return QStringLiteral("05-save.job");
    case StepKind::PowerUp: return QStringLiteral("06-power-up.job");
  }
  return {};
}

QString StepLogTag(StepKind kind) {
  switch (kind) {
    case StepKind::Emulation:
    case StepKind::Load: return QStringLiteral("SendEmuCmd ");
    case StepKind::Update: return QStringLiteral("SendCfgCmd ");
    case StepKind::Calibrate: return QStringLiteral("SendCalibrateCmd ");
    case StepKind::Save: return QStringLiteral("SendSaveCfgCmd ");
    case StepKind::PowerUp: return QStringLiteral("SendSetPowerUpCmd ");
  }
  return {};
}

std::vector<QString> AllStepFileNames() {
  std::vector<QString> names;
  for (StepKind k : {StepKind::Emulation, StepKind::Load, StepKind::Update, StepKind::Calibrate,
                     StepKind::Save, StepKind::PowerUp})
    names.push_back(StepFileName(k));
  return names;
}

}  // namespace tlw
