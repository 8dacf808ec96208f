#include <QCoreApplication>
#include <QTextStream>

#include "run_apply.h"
#include "send_to_printers.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tenlark-apply"));
  QTextStream out(stdout);
  QTextStream err(stderr);
  return tlw::RunApply(QCoreApplication::arguments(), out, err, tlw::SendToPrinters);
}
