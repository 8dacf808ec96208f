#include "sim_options.h"

#include <QHostAddress>

namespace tlw::sim {

QString defaultPanelLine1(bool stalled) {
  return stalled ? QStringLiteral("PAPER OUT") : QStringLiteral("READY");
}

QString defaultPanelLine2(bool stalled) {
  return stalled ? QStringLiteral("LOAD MEDIA") : QStringLiteral("ONLINE");
}

QString usageText() {
  return QStringLiteral(
      "Usage: printer-sim [--port N] [--listen 127.0.0.1] [--state FILE [--resume]]\n"
      "                   [--panel-file FILE]\n"
      "                   [--stalled] [--panel LINE1 LINE2] [--panel-line1 TEXT]\n"
      "                   [--panel-line2 TEXT]\n"
      "A simulated label printer: takes raw jobs over TCP on a loopback address and\n"
      "carries out the setup language in them.\n"
      "  --port N            TCP port (default 9100; 0 picks a free one). The port is\n"
      "                      printed alone on the first line of standard output.\n"
      "  --listen ADDR       loopback IPv4 address to listen on (default 127.0.0.1)\n"
      "  --state FILE        write the printer state as JSON after every job\n"
      "  --resume            switch on again: take the stored configurations and the\n"
      "                      power-up choice from an existing state FILE\n"
      "  --panel-file FILE   keep the two front-panel lines in FILE (one per line)\n"
      "  --stalled           take no jobs: connections are refused (SIGUSR1 toggles)\n"
      "  --panel L1 L2       front-panel lines (default READY / ONLINE, or\n"
      "                      PAPER OUT / LOAD MEDIA when stalled)\n"
      "  --panel-line1 TEXT, --panel-line2 TEXT   set one front-panel line\n");
}

namespace {

// A front-panel line is one line of display text: no line breaks.
bool validPanelText(const QString& s) {
  return !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r'));
}

}  // namespace

bool parseOptions(const QStringList& args, SimOptions* options, QString* error) {
  SimOptions o;
  bool line1Given = false, line2Given = false;
  for (int i = 0; i < args.size(); ++i) {
    QString name = args[i];
    QString inlineValue;
    bool hasInline = false;
    const int eq = static_cast<int>(name.indexOf(QLatin1Char('=')));
    if (name.startsWith(QLatin1String("--")) && eq > 2) {
      inlineValue = name.mid(eq + 1);
      name = name.left(eq);
      hasInline = true;
    }
    auto value = [&](QString* out) {
      if (hasInline) {
        *out = inlineValue;
        return true;
      }
      if (i + 1 >= args.size()) {
        *error = name + QStringLiteral(" needs a value");
        return false;
      }
      *out = args[++i];
      return true;
    };
    QString v;
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
      o.help = true;
    } else if (name == QLatin1String("--port")) {
      if (!value(&v)) return false;
      bool ok = false;
      const uint port = v.toUInt(&ok);
      if (!ok || port > 65535) {
        *error = QStringLiteral("--port needs a number from 0 to 65535");
        return false;
      }
      o.port = static_cast<quint16>(port);
    } else if (name == QLatin1String("--listen")) {
      if (!value(&v)) return false;
      QHostAddress addr;
      if (!addr.setAddress(v) || addr.protocol() != QAbstractSocket::IPv4Protocol ||
          !addr.isLoopback()) {
        *error = QStringLiteral("--listen takes a loopback IPv4 address such as 127.0.0.1");
        return false;
      }
      o.listen = addr.toString();
    } else if (name == QLatin1String("--state")) {
      if (!value(&o.stateFile)) return false;
    } else if (name == QLatin1String("--panel-file")) {
      if (!value(&o.panelFile)) return false;
    } else if (name == QLatin1String("--resume")) {
      o.resume = true;
    } else if (name == QLatin1String("--stalled")) {
      o.stalled = true;
    } else if (name == QLatin1String("--panel")) {
      if (hasInline || i + 2 >= args.size()) {
        *error = QStringLiteral("--panel needs two values: LINE1 LINE2");
        return false;
      }
      o.panelLine1 = args[++i];
      o.panelLine2 = args[++i];
      line1Given = line2Given = true;
    } else if (name == QLatin1String("--panel-line1")) {
      if (!value(&o.panelLine1)) return false;
      line1Given = true;
    } else if (name == QLatin1String("--panel-line2")) {
      if (!value(&o.panelLine2)) return false;
      line2Given = true;
    } else {
      *error = QStringLiteral("unknown option ") + args[i];
      return false;
    }
  }
  if (o.resume && o.stateFile.isEmpty()) {
    *error = QStringLiteral("--resume needs --state FILE");
    return false;
  }
  if (!validPanelText(o.panelLine1) || !validPanelText(o.panelLine2)) {
    *error = QStringLiteral("a front-panel line cannot contain a line break");
    return false;
  }
  if (!line1Given) o.panelLine1 = defaultPanelLine1(o.stalled);
  if (!line2Given) o.panelLine2 = defaultPanelLine2(o.stalled);
  o.panelGiven = line1Given || line2Given;
  *options = o;
  return true;
}

}  // namespace tlw::sim
