// tenlark-apply's checks of a named queue on a private cupsd, before any job is
// sent: the queue's driver decides the print width class.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "core/apply_plan.h"
#include "core/state.h"
#include "core/settings.h"
#include "core/settings_file.h"
#include "platform/adapters/apply_sender.h"
#include "support/cups_sandbox.h"
#include "support/qt_app.h"

namespace tlw::test {
namespace {

TEST(ApplyQueueChecks, WidthClassOptionCannotWidenANamedFourInchPrinter) {
  ensureApp();
  CupsSandbox cups;
  ASSERT_TRUE(cups.ok()) << cups.error().toStdString();
  ASSERT_TRUE(cups.addQueue(QStringLiteral("Zov-4in"), QStringLiteral("Zov 5820-K35 04in")));

  // A 6.0 inch wide label, too wide for a 4 inch printer.
  QTemporaryDir dir;
  SessionFlags session;
  WizardSettings settings(&session);
  settings.setIgnore(IgnoreBox::MediaSize, 0);
  settings.setIndex(ListControl::LabelWidth,
                    settings.appendWidth(QStringLiteral("6.0\" (152.4mm)"), QStringLiteral("06000")));
  const QString file = dir.filePath(QStringLiteral("wide.tlw"));
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(EncodeWizardSettings(settings));
  f.close();

  for (const int widthClass : {8, 0}) {
    SCOPED_TRACE(widthClass);
    ApplyOptions o;
    o.settingsFile = file;
    o.printers = {QStringLiteral("Zov-4in")};
    o.widthClass = widthClass;
    o.yes = true;
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    EXPECT_EQ(SendToPrinters(o, out, err), 2);
    out.flush();
    err.flush();
    EXPECT_EQ(errText,
              QStringLiteral("Zov-4in: Invalid media size selected or media size entered manually.\n"
                             "Zov-4in: Please use the drop down menu or Customize button to "
                             "specify the media size\n"));
    EXPECT_TRUE(outText.isEmpty());
  }
  QByteArray jobs;
  ASSERT_EQ(cups.run(QStringLiteral("lpstat"), {"-W", "all", "-o", "Zov-4in"}, &jobs), 0);
  EXPECT_EQ(jobs.trimmed(), QByteArray());
}

}  // namespace
}  // namespace tlw::test
