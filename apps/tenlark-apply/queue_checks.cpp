#include "queue_checks.h"

#include "core/context.h"
#include "core/settings.h"
#include "platform/spooler.h"
#include "prepare.h"

namespace tlw {

namespace {

QueueCheck refuse(const QString& text) {
  QueueCheck check;
  check.errorText = text;
  return check;
}

}  // namespace

QueueCheck CheckQueues(Spooler& spooler, const ApplyOptions& options) {
  if (options.printers.isEmpty())
    return refuse(QStringLiteral("tenlark-apply: no print queue given (--printer QUEUE)\n"));
  QueueCheck result;
  const std::vector<PrinterEntry> installed = spooler.listPrinters();
  if (installed.empty() && !spooler.lastError().isEmpty()) {
    QueueCheck failed = refuse(QStringLiteral("tenlark-apply: cannot reach the print server: %1\n")
                                   .arg(spooler.lastError()));
    for (const QString& queue : options.printers)
      failed.errorText += QStringLiteral("tenlark-apply: %1: not configured: the print server "
                                         "could not be reached\n").arg(queue);
    failed.errorText += QStringLiteral("tenlark-apply: 0 configured, %1 not configured\n")
                            .arg(options.printers.size());
    failed.exitCode = 1;
    return failed;
  }
  for (const QString& wanted : options.printers) {
    const PrinterEntry* entry = nullptr;
    for (const PrinterEntry& e : installed) {
      if (e.name.compare(wanted, Qt::CaseInsensitive) == 0) entry = &e;
    }
    if (!entry) return refuse(QStringLiteral("tenlark-apply: no print queue named %1\n").arg(wanted));
    bool seen = false;  // the same queue named twice runs once
    for (const QueueTarget& t : result.targets) seen = seen || t.name == entry->name;
    if (seen) continue;
    if (!IsZovModelDriver(entry->driverName)) {
      return refuse(QStringLiteral("tenlark-apply: %1 is not a Zov 5820-K35 printer (%2)\n")
                        .arg(entry->name, entry->driverName));
    }
    QueueTarget t{entry->name, entry->driverName, entry->portName,
                  WidthClassFromDriverName(entry->driverName,
                                           static_cast<std::int16_t>(options.widthClass))};
    // The settings must suit this printer (its width class) too.
    AppContext check;
    WizardSettings settings(&check.session);
    check.settings = &settings;
    ApplyOptions o = options;
    o.widthClass = t.widthClass;
    const ApplyCheck c = PrepareApply(o, check);
    if (!c.ok) {
      QString text;
      for (const QString& line : TerminalLines(c.message)) text += entry->name + ": " + line + '\n';
      return refuse(text);
    }
    result.targets.push_back(t);
  }
  result.ok = true;
  return result;
}

}  // namespace tlw
