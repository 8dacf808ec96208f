// tenlark-apply's checks of the named queues before any job is sent, on the fake
// spooler: installed, of the family, each queue once, and the settings file passing
// the finish rules for the width class that the queue's driver gives.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tenlark-apply/queue_checks.h"
#include "support/fake_spooler.h"
#include "support/settings_files.h"

namespace tlw::test {
namespace {

TEST(ApplyQueueChecks, EachNamedQueueIsCheckedBeforeAnythingIsSent) {
  QTemporaryDir dir;
  FakeSpooler spooler;
  spooler.addPrinter(QStringLiteral("Zov-4in"), QStringLiteral("Zov 5820-K35 04in"));
  spooler.addPrinter(QStringLiteral("Zov-8in"), QStringLiteral("Zov 5820-K35 08in"),
                     QStringLiteral("socket://10.0.0.8:9100"));
  spooler.addPrinter(QStringLiteral("Laser"), QStringLiteral("Other Laser 5"));
  const QString wide = WriteSettingsFile(dir.filePath(QStringLiteral("wide.tlw")), WideLabel);

  struct Case {
    const char* name;
    QStringList printers;
    int widthClass;
    QString errorText;  // empty: accepted
  };
  const Case cases[] = {
      {"no queue named", {}, 0,
       QStringLiteral("tenlark-apply: no print queue given (--printer QUEUE)\n")},
      {"unknown queue after a good one", {"Zov-8in", "Nope"}, 0,
       QStringLiteral("tenlark-apply: no print queue named Nope\n")},
      {"another model", {"Laser"}, 0,
       QStringLiteral("tenlark-apply: Laser is not a Zov 5820-K35 printer (Other Laser 5)\n")},
      // --width-class cannot widen a named four inch printer, nor can leaving it out.
      {"width class 8 on a 4 inch queue", {"zov-4in"}, 8,
       QStringLiteral("Zov-4in: Invalid media size selected or media size entered manually.\n"
                      "Zov-4in: Please use the drop down menu or Customize button to specify "
                      "the media size\n")},
      {"width class unknown on a 4 inch queue", {"Zov-4in"}, 0,
       QStringLiteral("Zov-4in: Invalid media size selected or media size entered manually.\n"
                      "Zov-4in: Please use the drop down menu or Customize button to specify "
                      "the media size\n")},
      {"8 inch queue, named twice", {"Zov-8in", "ZOV-8IN"}, 4, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ApplyOptions o;
    o.settingsFile = wide;
    o.printers = c.printers;
    o.widthClass = c.widthClass;
    o.yes = true;
    std::vector<QueueRef> refs;
    for (const QString& name : c.printers) refs.push_back(*ParseQueueRef(name));
    const QueueCheck check = CheckQueues(spooler, o, refs);
    EXPECT_EQ(check.ok, c.errorText.isEmpty());
    EXPECT_EQ(check.errorText, c.errorText);
    if (check.ok) {
      ASSERT_EQ(check.targets.size(), 1u);
      EXPECT_EQ(check.targets[0].name, QStringLiteral("Zov-8in"));
      EXPECT_EQ(check.targets[0].widthClass, 8);
      EXPECT_EQ(check.targets[0].port, QStringLiteral("socket://10.0.0.8:9100"));
    }
  }
  EXPECT_TRUE(spooler.submitted.empty());

  // A scheduler that cannot be reached is a server failure, not bad input.
  spooler.unreachable = true;
  ApplyOptions o;
  o.settingsFile = wide;
  o.printers = {QStringLiteral("Zov-8in")};
  const QueueCheck down = CheckQueues(spooler, o, {*ParseQueueRef(QStringLiteral("Zov-8in"))});
  EXPECT_FALSE(down.ok);
  EXPECT_TRUE(down.serverUnreachable);
  EXPECT_EQ(down.errorText,
            QStringLiteral("tenlark-apply: cannot reach the print server: No such file or directory\n"));
}

TEST(ApplyQueueChecks, PrinterNamesAndIppUris) {
  struct Case {
    const char* text;
    bool ok;
    const char* host;
    int port;
    const char* queue;
  };
  const Case cases[] = {
      {"Zov017", true, "", 0, "Zov017"},
      {"ipp://print1.example:8631/printers/Zov-4in", true, "print1.example", 8631, "Zov-4in"},
      {"IPP://10.0.0.5/printers/Labels", true, "10.0.0.5", 631, "Labels"},
      {"ipp://host/classes/Labels", false, "", 0, ""},
      {"ipp://host/printers/", false, "", 0, ""},
      {"ipp://host/printers/a/b", false, "", 0, ""},
      {"ipp:///printers/a", false, "", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<QueueRef> ref = ParseQueueRef(QString::fromLatin1(c.text));
    ASSERT_EQ(ref.has_value(), c.ok);
    if (!ref) continue;
    EXPECT_EQ(ref->host, QLatin1String(c.host));
    EXPECT_EQ(ref->port, c.port);
    EXPECT_EQ(ref->queue, QLatin1String(c.queue));
    EXPECT_EQ(ref->label, QLatin1String(c.text));
  }
}

}  // namespace
}  // namespace tlw::test
