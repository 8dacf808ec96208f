#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

#include "setuplang/jobs.h"

namespace tlw {

class WizardSettings;
struct RunRequest;

// One run of the wizard as data: the setup jobs in the order they are sent, each
// with what the run does around it. The job runner walks it, a dry run writes it
// and tenlark-apply sends it, so all three send the same bytes.

enum class StepKind { Emulation, Load, Update, Calibrate, Save, PowerUp };

struct RunStep {
  StepKind kind = StepKind::Update;
  // The job bytes; empty when this step sends nothing in this run (the run still
  // moves the progress meter to progressBefore).
  QByteArray job;
  // Why a selected setting could not be put into the job ("no entry selected for
  // Orientation"); the step then sends nothing and the refusal is logged.
  QString refusal;
  int firstWait = 5;  // seconds between the job and the probe job
  QString statusLine;
  bool announceFirst = true;  // the status line before the job is sent, else after it
  int progressBefore = -1;    // meter value when the run reaches this step; -1 leaves it

  bool sends() const { return !job.isEmpty(); }
};

struct RunPlan {
  std::vector<RunStep> steps;
  int progressAtEnd = 100;

  // The first refusal of a step, empty when every selected setting was built.
  QString refusal() const;
  // The steps that send a job, in order.
  std::vector<const RunStep*> sendingSteps() const;
};

// The run for these settings and this request. Emulation and load come only when
// the emulation is to change; the update, calibration, save and power-up steps are
// always there (sending nothing when not asked for), so the meter moves the same way.
RunPlan BuildRunPlan(const WizardSettings& settings, const RunRequest& request,
                     int useOldEmulationCmd);

// The step's name for reports ("emulation", "load", "update", "calibrate", "save",
// "power-up"), its dry-run file ("01-emulation.job" ...) and its debug log tag.
QString StepName(StepKind kind);
QString StepFileName(StepKind kind);
QString StepLogTag(StepKind kind);
// Every dry-run file name, in run order.
std::vector<QString> AllStepFileNames();

}  // namespace tlw
