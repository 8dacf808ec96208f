#pragma once

#include <QString>
#include <QStringList>

namespace tlw::sim {

struct SimOptions {
  QString listen = QStringLiteral("127.0.0.1");
  quint16 port = 9100;
  QString stateFile;     // empty: no state file
  QString panelFile;     // empty: no panel file
  bool resume = false;   // start from the stored settings of an earlier state file
  bool stalled = false;
  bool panelGiven = false;
  QString panelLine1;    // filled with the defaults of the start mode unless given
  QString panelLine2;
  bool help = false;
};

// Default front-panel lines of a printer that takes jobs and of a stalled one.
QString defaultPanelLine1(bool stalled);
QString defaultPanelLine2(bool stalled);

// Parses the command line (without the program name). On a mistake returns
// false with a one-line reason in *error.
bool parseOptions(const QStringList& args, SimOptions* options, QString* error);

QString usageText();

}  // namespace tlw::sim
