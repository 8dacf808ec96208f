#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "core/apply_plan.h"
#include "platform/adapters/apply_sender.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tenlark-apply"));
  QTextStream out(stdout);
  QTextStream err(stderr);
  return tlw::RunApply(QCoreApplication::arguments(), out, err, tlw::SendToPrinters);
}
