#include "prepare.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/context.h"
#include "core/finish_rules.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "delivery/job_senders.h"

namespace tlw {

namespace {

ApplyCheck refuse(const QString& message) { return {false, message, {}}; }

}  // namespace

ApplyCheck PrepareApply(const ApplyOptions& o, AppContext& ctx) {
  if (!ctx.settings) return refuse(QStringLiteral("no settings record"));
  WizardSettings& settings = *ctx.settings;
  settings.resetToDefaults();
  const LoadResult loaded = LoadWizardSettings(o.settingsFile, settings);
  if (!loaded.loaded) return refuse(loaded.notice);

  ctx.options.UseOldEmulationCmd = o.oldEmulationCmd ? 1 : 0;
  ctx.printer.PrintWidthClass = static_cast<std::int16_t>(o.widthClass);
  CollectSettingState(settings, ctx.session, ctx.request);
  RunRequest& request = ctx.request;
  request.SaveConfigRequested = toFlag(o.saveRequested);
  request.SaveConfigNumber = static_cast<std::int16_t>(o.saveRequested ? o.saveNumber : 0);
  request.PowerUpRequested = toFlag(o.powerUpRequested);
  request.PowerUpConfigNumber = static_cast<std::int16_t>(o.powerUpRequested ? o.powerUpNumber : 0);

  FinishChoices choices;
  choices.saveRequested = o.saveRequested;
  const std::vector<Finding> findings = FinishFindings(settings, o.widthClass, choices);
  for (const Finding& f : findings)
    if (f.type == FindingType::Refusal) return refuse(f.box.text);
  // A selected setting whose list shows typed text has nothing to send.
  ApplyCheck check{true, {}, BuildRunPlan(settings, request, ctx.options.UseOldEmulationCmd)};
  if (!check.plan.refusal().isEmpty())
    return refuse(QStringLiteral("The settings file has ") + check.plan.refusal());
  // Outside a dry run the questions need --yes.
  for (const Finding& f : findings)
    if (f.type == FindingType::Question && !o.dryRun && !o.yes) return refuse(f.box.text);
  return check;
}

bool WriteDryRun(DebugLog& log, const RunPlan& plan, const QString& dir, QString* error) {
  QDir folder(dir);
  if (!folder.mkpath(QStringLiteral("."))) {
    if (error) *error = QStringLiteral("cannot create folder ") + dir;
    return false;
  }
  // Job files of an earlier dry run would read as part of this one.
  for (const QString& name : AllStepFileNames()) {
    const QString path = folder.filePath(name);
    if (QFileInfo(path).isFile()) QFile::remove(path);
  }
  for (const RunStep* step : plan.sendingSteps()) {
    QFile file(folder.filePath(StepFileName(step->kind)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(step->job) != step->job.size() || !file.flush()) {
      if (error) *error = QStringLiteral("cannot write ") + file.fileName();
      return false;
    }
    file.close();
    LogJob(log, StepLogTag(step->kind), step->job);
  }
  return true;
}

QString ForTerminal(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  while (t.endsWith(QLatin1Char('\n'))) t.chop(1);
  return t;
}

QStringList TerminalLines(const QString& text) { return ForTerminal(text).split(QLatin1Char('\n')); }

}  // namespace tlw
