#include "support/qt_app.h"

#include <QApplication>

namespace tlw::test {
void ensureApp() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tenlark-tests";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  // Kept until the process ends and never destroyed: destroying it during static
  // destruction, after the tests' own objects are gone, can touch freed widgets.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}
}  // namespace tlw::test
