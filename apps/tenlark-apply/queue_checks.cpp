#include "queue_checks.h"

#include <QUrl>

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

QString QueueRef::serverKey() const {
  return host.isEmpty() ? QString() : host + QLatin1Char(':') + QString::number(port);
}

std::optional<QueueRef> ParseQueueRef(const QString& text) {
  QueueRef ref;
  ref.label = text;
  if (!text.startsWith(QLatin1String("ipp://"), Qt::CaseInsensitive)) {
    ref.queue = text;
    return ref;
  }
  const QUrl url(text, QUrl::StrictMode);
  const QString path = url.path();
  const QString prefix = QStringLiteral("/printers/");
  if (!url.isValid() || url.host().isEmpty() || !path.startsWith(prefix) ||
      path.size() == prefix.size() || path.indexOf(QLatin1Char('/'), prefix.size()) >= 0 ||
      url.hasQuery() || url.hasFragment())
    return std::nullopt;
  ref.host = url.host();
  ref.port = url.port(631);
  ref.queue = path.mid(prefix.size());
  return ref;
}

QueueCheck CheckQueues(Spooler& spooler, const ApplyOptions& options,
                       const std::vector<QueueRef>& queues) {
  if (queues.empty())
    return refuse(QStringLiteral("tenlark-apply: no print queue given (--printer QUEUE)\n"));
  QueueCheck result;
  const std::vector<PrinterEntry> installed = spooler.listPrinters();
  if (installed.empty() && !spooler.lastError().isEmpty()) {
    QueueCheck down = refuse(QStringLiteral("tenlark-apply: cannot reach the print server: %1\n")
                                 .arg(spooler.lastError()));
    down.serverUnreachable = true;
    return down;
  }
  for (const QueueRef& ref : queues) {
    const PrinterEntry* entry = nullptr;
    for (const PrinterEntry& e : installed) {
      if (e.name.compare(ref.queue, Qt::CaseInsensitive) == 0) entry = &e;
    }
    if (!entry) return refuse(QStringLiteral("tenlark-apply: no print queue named %1\n").arg(ref.label));
    const QString label = ref.host.isEmpty() ? entry->name : ref.label;
    bool seen = false;  // the same queue named twice runs once
    for (const QueueTarget& t : result.targets) seen = seen || t.name == entry->name;
    if (seen) continue;
    if (!IsZovModelDriver(entry->driverName)) {
      return refuse(QStringLiteral("tenlark-apply: %1 is not a Zov 5820-K35 printer (%2)\n")
                        .arg(label, entry->driverName));
    }
    QueueTarget t{entry->name, label, entry->driverName, entry->portName,
                  WidthClassFromDriverName(entry->driverName,
                                           static_cast<std::int16_t>(options.widthClass)),
                  {}};
    // The settings must suit this printer (its width class) too.
    AppContext check;
    WizardSettings settings(&check.session);
    check.settings = &settings;
    ApplyOptions o = options;
    o.widthClass = t.widthClass;
    const ApplyCheck c = PrepareApply(o, check);
    if (!c.ok) {
      QString text;
      for (const QString& line : TerminalLines(c.message)) text += label + ": " + line + '\n';
      return refuse(text);
    }
    t.plan = c.plan;
    result.targets.push_back(t);
  }
  result.ok = true;
  return result;
}

}  // namespace tlw
