#include "core/apply_plan.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include "core/context.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "platform/prompts.h"
#include "setuplang/jobs.h"

namespace tlw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

const char* const kJobFiles[] = {"01-emulation.job", "02-load-config.job", "03-update.job",
                                 "04-calibrate.job", "05-save.job",        "06-power-up.job"};

// Keeps the text of the last box instead of showing it; Yes/No boxes answer No.
class CapturingPrompts : public Prompts {
 public:
  BoxAnswer show(const MessageBox& box) override {
    last = box.text;
    return box.buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::No;
  }
  QString last;
};

ApplyCheck refuse(const QString& message) { return {false, message}; }

// A configuration number option: whole number in [low, high].
bool configNumber(const QString& text, int low, int high, int* out) {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok);
  if (!ok || n < low || n > high) return false;
  *out = n;
  return true;
}

// Box texts use CR LF between lines; a terminal wants plain line ends.
QString forTerminal(const QString& text) {
  QString t = text;
  t.replace(kCrLf, QStringLiteral("\n"));
  while (t.endsWith(QLatin1Char('\n'))) t.chop(1);
  return t;
}

}  // namespace

ParsedArguments ParseApplyArguments(const QStringList& arguments) {
  ParsedArguments result;
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Applies a saved wizard settings file to Tenlark printers."));
  parser.addPositionalArgument(QStringLiteral("SETTINGS.tlw"),
                               QStringLiteral("Settings file saved by the wizard."));
  const QCommandLineOption printer({QStringLiteral("p"), QStringLiteral("printer")},
                                   QStringLiteral("Print queue to configure (repeatable)."),
                                   QStringLiteral("QUEUE"));
  const QCommandLineOption save(QStringLiteral("save"),
                                QStringLiteral("Save the result into stored configuration N (1 to 8)."),
                                QStringLiteral("N"));
  const QCommandLineOption powerUp(
      QStringLiteral("power-up"),
      QStringLiteral("Configuration loaded at power-up: 0 or factory, 1 to 8."), QStringLiteral("N"));
  const QCommandLineOption yes(QStringLiteral("yes"),
                               QStringLiteral("Answer Yes to the calibration and overwrite questions."));
  const QCommandLineOption oldEmulation(
      QStringLiteral("old-emulation-cmd"),
      QStringLiteral("Switch the emulation with the older download command."));
  const QCommandLineOption widthClass(
      QStringLiteral("width-class"),
      QStringLiteral("Print width class of the printer (4, 6 or 8) when no queue is named."),
      QStringLiteral("INCHES"));
  const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                  QStringLiteral("Write the jobs a run would send into DIR instead."),
                                  QStringLiteral("DIR"));
  const QCommandLineOption log(QStringLiteral("log"),
                               QStringLiteral("Write the debug log to FILE."), QStringLiteral("FILE"));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
  parser.addOptions({printer, save, powerUp, yes, oldEmulation, widthClass, dryRun, log, help,
                     version});

  auto error = [&result](const QString& text) {
    result.outcome = ParseOutcome::Error;
    result.text = text;
    return result;
  };
  if (!parser.parse(arguments)) return error(parser.errorText());
  if (parser.isSet(help)) {
    result.outcome = ParseOutcome::Help;
    result.text = parser.helpText().trimmed();
    return result;
  }
  if (parser.isSet(version)) {
    result.outcome = ParseOutcome::Version;
    result.text = QStringLiteral("tenlark-apply " TENLARK_VERSION);
    return result;
  }

  ApplyOptions& o = result.options;
  const QStringList positional = parser.positionalArguments();
  if (positional.isEmpty()) return error(QStringLiteral("no settings file given"));
  if (positional.size() > 1) {
    return error(QStringLiteral("more than one settings file given: ") +
                 positional.join(QLatin1Char(' ')));
  }
  o.settingsFile = positional.first();
  o.printers = parser.values(printer);
  if (parser.isSet(save)) {
    if (!configNumber(parser.value(save), 1, 8, &o.saveNumber)) {
      return error(QStringLiteral("--save takes a configuration number from 1 to 8"));
    }
    o.saveRequested = true;
  }
  if (parser.isSet(powerUp)) {
    const QString v = parser.value(powerUp);
    if (v.trimmed().compare(QLatin1String("factory"), Qt::CaseInsensitive) == 0) {
      o.powerUpNumber = 0;
    } else if (!configNumber(v, 0, 8, &o.powerUpNumber)) {
      return error(QStringLiteral("--power-up takes 0 or factory, or a number from 1 to 8"));
    }
    o.powerUpRequested = true;
  }
  o.yes = parser.isSet(yes);
  o.oldEmulationCmd = parser.isSet(oldEmulation);
  if (parser.isSet(widthClass)) {
    const QString v = parser.value(widthClass).trimmed();
    if (v != QLatin1String("4") && v != QLatin1String("6") && v != QLatin1String("8")) {
      return error(QStringLiteral("--width-class takes 4, 6 or 8"));
    }
    o.widthClass = v.toInt();
  }
  if (parser.isSet(dryRun)) {
    o.dryRun = true;
    o.dryRunDir = parser.value(dryRun);
    if (o.dryRunDir.isEmpty()) return error(QStringLiteral("--dry-run needs a folder"));
  }
  o.logFile = parser.value(log);
  result.outcome = ParseOutcome::Run;
  return result;
}

ApplyCheck PrepareApply(const ApplyOptions& o, AppContext& ctx) {
  if (!ctx.settings) return refuse(QStringLiteral("no settings record"));
  ProgramState& state = ctx.state;
  WizardSettings& settings = *ctx.settings;
  settings.resetToDefaults();

  // The loader reports through a box; keep its text for the terminal instead.
  CapturingPrompts capture;
  Prompts* previous = ctx.services.prompts;
  ctx.services.prompts = &capture;
  const bool loaded = LoadWizardSettings(ctx, o.settingsFile);
  ctx.services.prompts = previous;
  if (!loaded) return refuse(capture.last);

  state.UseOldEmulationCmd = o.oldEmulationCmd ? 1 : 0;
  state.PrintWidthClass = static_cast<std::int16_t>(o.widthClass);

  CollectSettingState(settings, state);
  if (!isSet(state.SettingsSelected)) {
    return refuse(QStringLiteral(
        "No settings selected. Please select a setting to change or press cancel to exit"));
  }
  if (settings.ignore(IgnoreBox::MediaSize) == 0 && !ValidateMediaSize(settings, state)) {
    return refuse(QStringLiteral("Invalid media size selected or media size entered manually.") +
                  kCrLf +
                  QStringLiteral("Please use the drop down menu or Customize button to specify "
                                 "the media size"));
  }
  const bool emulationChange = settings.ignore(IgnoreBox::Emulation) == 0;
  if (emulationChange && !o.saveRequested) {
    return refuse(
        QStringLiteral("Changing the active emulation requires you to save the configuration.") +
        kCrLf + QStringLiteral("Please select a configuration number to hold this change."));
  }
  // A selected setting whose list shows typed text has nothing to send.
  const BuiltJob update = BuildCfgJob(settings);
  if (update.refused) return refuse(QStringLiteral("The settings file has ") + update.problem);
  if (emulationChange) {
    const BuiltJob emulation = BuildEmuJob(settings, o.saveNumber, state.UseOldEmulationCmd);
    if (emulation.refused) {
      return refuse(QStringLiteral("The settings file has ") + emulation.problem);
    }
  }
  if (!o.dryRun && isSet(state.CalibrationNeeded) && !o.yes) {
    return refuse(
        QStringLiteral(
            "Warning! One or more of the settings you specified require calibration to be "
            "performed.") +
        kCrLf + QStringLiteral("Calibration may interfere with current jobs sent to the printer.") +
        kCrLf + kCrLf + QStringLiteral("Do you want to continue?"));
  }
  if (!o.dryRun && o.saveRequested && !o.yes) {
    return refuse(QStringLiteral("Warning! You may overwrite a previously saved configuration.") +
                  kCrLf + QStringLiteral("Are you sure you want to continue?"));
  }

  state.SaveConfigRequested = toFlag(o.saveRequested);
  state.SaveConfigNumber = static_cast<std::int16_t>(o.saveRequested ? o.saveNumber : 0);
  state.PowerUpRequested = toFlag(o.powerUpRequested);
  state.PowerUpConfigNumber = static_cast<std::int16_t>(o.powerUpRequested ? o.powerUpNumber : 0);
  return {true, {}};
}

std::vector<PlannedJob> PlanJobs(const AppContext& ctx) {
  std::vector<PlannedJob> jobs;
  if (!ctx.settings) return jobs;
  const WizardSettings& s = *ctx.settings;
  const ProgramState& state = ctx.state;
  auto add = [&jobs](int slot, const char* tag, const QByteArray& text) {
    jobs.push_back({QString::fromLatin1(kJobFiles[slot]), QString::fromLatin1(tag), text});
  };
  if (s.ignore(IgnoreBox::Emulation) == 0) {
    const BuiltJob emulation = BuildEmuJob(s, state.SaveConfigNumber, state.UseOldEmulationCmd);
    if (!emulation.refused) {
      add(0, "SendEmuCmd ", emulation.text);
      add(1, "SendEmuCmd ", BuildLoadCfgJob(state.SaveConfigNumber));
    }
  }
  const BuiltJob update = BuildCfgJob(s);
  if (!update.refused && !update.text.isEmpty()) add(2, "SendCfgCmd ", update.text);
  if (isSet(state.CalibrationNeeded)) add(3, "SendCalibrateCmd ", BuildCalibrateJob());
  if (isSet(state.SaveConfigRequested)) add(4, "SendSaveCfgCmd ", BuildSaveCfgJob(state.SaveConfigNumber));
  if (isSet(state.PowerUpRequested)) {
    add(5, "SendSetPowerUpCmd ", BuildSetPowerUpJob(state.PowerUpConfigNumber));
  }
  return jobs;
}

bool WriteDryRun(AppContext& ctx, const std::vector<PlannedJob>& jobs, const QString& dir,
                 QString* error) {
  QDir folder(dir);
  if (!folder.mkpath(QStringLiteral("."))) {
    if (error) *error = QStringLiteral("cannot create folder ") + dir;
    return false;
  }
  // Job files of an earlier dry run would read as part of this one.
  for (const char* name : kJobFiles) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (QFileInfo(path).isFile()) QFile::remove(path);
  }
  for (const PlannedJob& job : jobs) {
    QFile file(folder.filePath(job.fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(job.text) != job.text.size() || !file.flush()) {
      if (error) *error = QStringLiteral("cannot write ") + file.fileName();
      return false;
    }
    file.close();
    ctx.log.write(job.tag + kCrLf + QString::fromLatin1(job.text));
    ctx.log.write(job.tag + kCrLf);
  }
  return true;
}

int RunApply(const QStringList& arguments, QTextStream& out, QTextStream& err,
             const ApplySender& send) {
  const ParsedArguments parsed = ParseApplyArguments(arguments);
  switch (parsed.outcome) {
    case ParseOutcome::Help: out << parsed.text << '\n'; return 0;
    case ParseOutcome::Version: out << parsed.text << '\n'; return 0;
    case ParseOutcome::Error:
      err << "tenlark-apply: " << parsed.text << '\n'
          << "Try 'tenlark-apply --help' for more information.\n";
      return 2;
    case ParseOutcome::Run: break;
  }
  const ApplyOptions& o = parsed.options;

  AppContext ctx;
  WizardSettings settings(&ctx.state);
  ctx.settings = &settings;
  if (!o.logFile.isEmpty()) {
    ctx.state.DebugMode = kTrue;
    ctx.log.setFile(o.logFile);
    ctx.log.setEnabled(true);
  }

  const ApplyCheck check = PrepareApply(o, ctx);
  if (!check.ok) {
    err << forTerminal(check.message) << '\n';
    return 2;
  }
  if (!o.dryRun) {
    if (send) return send(o, out, err);
    err << "tenlark-apply: sending to printers is not available here\n";
    return 2;
  }
  QString error;
  if (!WriteDryRun(ctx, PlanJobs(ctx), o.dryRunDir, &error)) {
    err << "tenlark-apply: " << error << '\n';
    return 2;
  }
  return 0;
}

}  // namespace tlw
