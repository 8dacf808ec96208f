#include "apply_options.h"

#include <QCommandLineParser>

namespace tlw {

namespace {

// A configuration number option: whole number in [low, high].
bool configNumber(const QString& text, int low, int high, int* out) {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok);
  if (!ok || n < low || n > high) return false;
  *out = n;
  return true;
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
                                   QStringLiteral("Print queue to configure (repeatable): a queue "
                                                  "name, or ipp://HOST[:PORT]/printers/QUEUE."),
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
  const QCommandLineOption connections(
      QStringLiteral("connections"),
      QStringLiteral("Open at most N connections to each print server (default 16)."),
      QStringLiteral("N"));
  const QCommandLineOption log(QStringLiteral("log"),
                               QStringLiteral("Write the debug log to FILE."), QStringLiteral("FILE"));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
  parser.addOptions({printer, save, powerUp, yes, oldEmulation, widthClass, dryRun, connections, log, help,
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
  if (parser.isSet(connections) &&
      !configNumber(parser.value(connections), 1, 256, &o.connections))
    return error(QStringLiteral("--connections takes a number from 1 to 256"));
  result.outcome = ParseOutcome::Run;
  return result;
}

}  // namespace tlw
