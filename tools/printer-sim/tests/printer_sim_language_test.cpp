// The simulator's setup language interpreter and option parser.

#include "setup_interpreter.h"
#include "sim_options.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <initializer_list>

using tlw::sim::EngineSettings;
using tlw::sim::JobSummary;
using tlw::sim::SetupInterpreter;

namespace {

QByteArray crlfJob(std::initializer_list<const char*> lines) {
  QByteArray job;
  for (const char* l : lines) job += QByteArray(l) + "\r\n";
  return job;
}

QStringList unknown(const SetupInterpreter& p) { return p.state().unknownLines; }

// The wizard's emulation switch into a stored configuration and the load job.
QByteArray emulationJob(const char* config, const char* switchLine,
                        const char* keyword = "CONFIG-OVERLAY;") {
  return crlfJob({"!KVX_SETUP", (QByteArray(keyword) + config + ".").constData(),
                  "guardsave   .e  0   0x0", switchLine,
                  (QByteArray(keyword) + "END.").constData(), "KVX_END"});
}

}  // namespace

TEST(PrinterSimLanguage, FullUpdateJobSetsEveryActiveSetting) {
  SetupInterpreter p;
  JobSummary s = p.runJob(crlfJob({"!KVX_SETUP", "ENGINE-MODE;D", "ENGINE-LENGTH;04000:WIDTH;02500",
                                   "ENGINE-MEDIA_HANDLING;3", "ENGINE-IMAGE_SHFT_H;100",
                                   "ENGINE-IMAGE_SHFT_V;-50", "KVX_END", "!KVX_SETUP",
                                   "WINMODE-BEGIN", "KVX_END", "~PAPER;ROTATE 270",
                                   "~PAPER;SPEED IPS 9", "~PAPER;LABELS 1", "!KVX_SETUP",
                                   "WINMODE-END", "KVX_END"}));
  EXPECT_TRUE(s.counted);
  EXPECT_EQ(s.number, 1);
  EXPECT_EQ(s.lines, 16);
  EXPECT_EQ(s.unknown, 0);
  const EngineSettings& a = p.state().active;
  EXPECT_EQ(a.printMode, 'D');
  EXPECT_EQ(a.labelLength, 4000);
  EXPECT_EQ(a.labelWidth, 2500);
  EXPECT_EQ(a.mediaHandling, 3);
  EXPECT_EQ(a.imageShiftH, 100);
  EXPECT_EQ(a.imageShiftV, -50);
  EXPECT_EQ(a.rotation, 270);
  EXPECT_EQ(a.speed, 9);
  EXPECT_EQ(a.sensor, 1);
  EXPECT_EQ(a.emulation, 1);  // not part of the update job
  EXPECT_EQ(p.state().crlfLines, 16);
  EXPECT_EQ(p.state().lfLines, 0);
  EXPECT_EQ(p.state().unterminatedLines, 0);
  EXPECT_TRUE(unknown(p).isEmpty());
  // Nothing is stored until a save.
  EXPECT_EQ(p.state().configurations[0], EngineSettings());
  EXPECT_EQ(p.state().activeConfiguration, 0);
}

TEST(PrinterSimLanguage, PageModeOnlyJobChangesOnlyItsSetting) {
  SetupInterpreter p;
  p.runJob(crlfJob({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;SPEED IPS 10", "!KVX_SETUP",
                    "WINMODE-END", "KVX_END"}));
  EngineSettings expected;
  expected.speed = 10;
  EXPECT_EQ(p.state().active, expected);
  EXPECT_TRUE(unknown(p).isEmpty());
}

TEST(PrinterSimLanguage, EmulationGoesIntoStoredConfigurationAndLoadMakesItActive) {
  SetupInterpreter p;
  p.runJob(emulationJob("2", "hulswitch   .e  2   0x0"));
  // Written into configuration 2 only; the active emulation is unchanged.
  EXPECT_EQ(p.state().configurations[1].emulation, 2);
  EXPECT_EQ(p.state().configurations[0].emulation, 1);
  EXPECT_EQ(p.state().active.emulation, 1);

  p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-LOAD;2", "KVX_END"}));
  EXPECT_EQ(p.state().active.emulation, 2);
  EXPECT_EQ(p.state().activeConfiguration, 2);

  // The wizard's remaining steps: update, save, power-up, with probes between.
  p.runJob(crlfJob({"!KVX_SETUP", "KVX_END"}));
  p.runJob(crlfJob({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;SPEED IPS 4",
                    "~PAPER;LABELS 2", "!KVX_SETUP", "WINMODE-END", "KVX_END"}));
  p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-SAVE;2", "KVX_END"}));
  p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-POWERUP;2", "KVX_END"}));
  EXPECT_EQ(p.state().jobs, 6);
  EXPECT_EQ(p.state().powerUp, 2);
  EXPECT_EQ(p.state().configurations[1], p.state().active);
  EXPECT_EQ(p.state().configurations[1].speed, 4);
  EXPECT_EQ(p.state().configurations[1].sensor, 2);
  EXPECT_TRUE(unknown(p).isEmpty());

  const QJsonObject json = p.state().toJson();
  EXPECT_EQ(json["active"].toObject()["emulation"].toString(), "KORU");
  EXPECT_EQ(json["active"].toObject()["sensor"].toString(), "gap");
  EXPECT_EQ(json["active"].toObject()["speed"].toInt(), 4);
  EXPECT_EQ(json["configurations"].toObject()["2"].toObject()["emulation"].toString(), "KORU");
  EXPECT_EQ(json["configurations"].toObject()["1"].toObject()["emulation"].toString(), "VEXA");
  EXPECT_EQ(json["activeConfiguration"].toInt(), 2);
  EXPECT_EQ(json["powerUp"].toInt(), 2);
  EXPECT_EQ(json["jobs"].toInt(), 6);
  EXPECT_EQ(json["recentJobs"].toArray().size(), 6);
  EXPECT_EQ(json["recentJobs"].toArray()[5].toObject()["text"].toString(),
            "!KVX_SETUP\r\nCONFIG-POWERUP;2\r\nKVX_END\r\n");
}

TEST(PrinterSimLanguage, DownloadKeywordAndEveryEmulationNumber) {
  const struct {
    const char* line;
    int number;
    const char* name;
  } cases[] = {{"hulswitch   .e  1   0x0", 1, "VEXA"}, {"hulswitch   .e  2   0x0", 2, "KORU"},
               {"hulswitch   .e  4   0x0", 4, "NIMB"}, {"hulswitch   .e  5   0x0", 5, "OSSA"},
               {"hulswitch   .e  6   0x0", 6, "BRUNE"}, {"hulswitch   .e  7   0x0", 7, "FALK"}};
  for (const auto& c : cases) {
    SetupInterpreter p;
    p.runJob(emulationJob("8", c.line, "CONFIG-DOWNLOAD;"));
    EXPECT_EQ(p.state().configurations[7].emulation, c.number) << c.line;
    EXPECT_EQ(p.state().configurations[7].toJson()["emulation"].toString(), c.name);
    EXPECT_TRUE(unknown(p).isEmpty()) << c.line;
  }
}

TEST(PrinterSimLanguage, MalformedOverlaysWriteNothing) {
  {
    SetupInterpreter p;  // there is no emulation 3, and the spacing is exact
    p.runJob(emulationJob("2", "hulswitch   .e  3   0x0"));
    p.runJob(emulationJob("3", "hulswitch  .e  2   0x0"));
    EXPECT_EQ(p.state().configurations[1].emulation, 1);
    EXPECT_EQ(p.state().configurations[2].emulation, 1);
    EXPECT_EQ(unknown(p), QStringList({"hulswitch   .e  3   0x0", "hulswitch  .e  2   0x0"}));
  }
  {
    SetupInterpreter p;  // closed with the other keyword: never closed
    p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-OVERLAY;2.", "hulswitch   .e  2   0x0",
                      "CONFIG-DOWNLOAD;END.", "KVX_END", "!KVX_SETUP", "CONFIG-LOAD;2",
                      "KVX_END"}));
    EXPECT_EQ(p.state().configurations[1].emulation, 1);
    EXPECT_EQ(p.state().active.emulation, 1);
    EXPECT_EQ(p.state().activeConfiguration, 2);  // the second block still works
    EXPECT_EQ(unknown(p), QStringList({"CONFIG-DOWNLOAD;END.", "CONFIG-OVERLAY;2."}));
  }
  {
    SetupInterpreter p;  // the job ends inside the overlay and inside the block
    p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-OVERLAY;4.", "hulswitch   .e  5   0x0"}));
    EXPECT_EQ(p.state().configurations[3].emulation, 1);
    EXPECT_EQ(unknown(p), QStringList({"CONFIG-OVERLAY;4.", "!KVX_SETUP"}));
  }
  {
    SetupInterpreter p;  // switch line outside an overlay; bad configuration numbers
    p.runJob(crlfJob({"!KVX_SETUP", "hulswitch   .e  2   0x0", "CONFIG-OVERLAY;0.",
                      "CONFIG-OVERLAY;9.", "CONFIG-OVERLAY;2", "CONFIG-OVERLAY;END.", "KVX_END"}));
    EXPECT_EQ(unknown(p).size(), 5);
    for (const auto& c : p.state().configurations) EXPECT_EQ(c, EngineSettings());
  }
}

TEST(PrinterSimLanguage, SaveLoadAndPowerUpNumbers) {
  SetupInterpreter p;
  p.runJob(crlfJob({"!KVX_SETUP", "ENGINE-MEDIA_HANDLING;4", "KVX_END"}));
  p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-SAVE;1", "KVX_END"}));
  p.runJob(crlfJob({"!KVX_SETUP", "ENGINE-MEDIA_HANDLING;0", "CONFIG-SAVE;8", "KVX_END"}));
  EXPECT_EQ(p.state().configurations[0].mediaHandling, 4);
  EXPECT_EQ(p.state().configurations[7].mediaHandling, 0);
  EXPECT_EQ(p.state().activeConfiguration, 8);
  p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-LOAD;1", "KVX_END"}));
  EXPECT_EQ(p.state().active.mediaHandling, 4);
  EXPECT_EQ(p.state().activeConfiguration, 1);

  p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-POWERUP;8", "KVX_END"}));
  EXPECT_EQ(p.state().powerUp, 8);
  p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-POWERUP;0", "KVX_END"}));  // factory
  EXPECT_EQ(p.state().powerUp, 0);
  EXPECT_TRUE(unknown(p).isEmpty());

  // A save number of 0 makes the wizard send an empty block: nothing changes.
  const tlw::sim::PrinterState before = p.state();
  p.runJob(crlfJob({"!KVX_SETUP", "KVX_END"}));
  EXPECT_EQ(p.state().configurations, before.configurations);
  EXPECT_EQ(p.state().jobs, before.jobs + 1);

  p.runJob(crlfJob({"!KVX_SETUP", "CONFIG-SAVE;0", "CONFIG-SAVE;9", "CONFIG-LOAD;0",
                    "CONFIG-POWERUP;9", "CONFIG-POWERUP;-1", "CONFIG-POWERUP;02", "KVX_END"}));
  EXPECT_EQ(unknown(p).size(), 6);
  EXPECT_EQ(p.state().powerUp, 0);
  EXPECT_EQ(p.state().activeConfiguration, 1);
  EXPECT_EQ(p.state().configurations, before.configurations);
}

TEST(PrinterSimLanguage, CalibrationsAreCountedOnlyInPageMode) {
  SetupInterpreter p;
  const QByteArray calibrate = crlfJob({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END",
                                        "~PAPER;CALIBRATE", "!KVX_SETUP", "WINMODE-END",
                                        "KVX_END"});
  p.runJob(calibrate);
  p.runJob(calibrate);
  EXPECT_EQ(p.state().calibrations, 2);
  // Without the bracket, inside a block, or after the bracket is closed.
  p.runJob(crlfJob({"~PAPER;CALIBRATE", "!KVX_SETUP", "~PAPER;CALIBRATE", "KVX_END"}));
  p.runJob(crlfJob({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "!KVX_SETUP", "WINMODE-END",
                    "KVX_END", "~PAPER;CALIBRATE"}));
  EXPECT_EQ(p.state().calibrations, 2);
  EXPECT_EQ(unknown(p), QStringList({"~PAPER;CALIBRATE", "~PAPER;CALIBRATE", "~PAPER;CALIBRATE"}));
}

TEST(PrinterSimLanguage, PageModeDoesNotCarryOverToTheNextJob) {
  SetupInterpreter p;
  p.runJob(crlfJob({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END"}));
  p.runJob(crlfJob({"~PAPER;SPEED IPS 2"}));
  EXPECT_EQ(p.state().active.speed, 4);
  EXPECT_EQ(unknown(p), QStringList({"~PAPER;SPEED IPS 2"}));
}

TEST(PrinterSimLanguage, BadValuesAreRecordedAndChangeNothing) {
  SetupInterpreter p;
  const char* blockLines[] = {
      "ENGINE-MODE;T",         "ENGINE-MODE;",          "ENGINE-MODE;XD",
      "ENGINE-MODE; X",        "ENGINE-LENGTH;6000:WIDTH;04000",
      "ENGINE-LENGTH;06000:WIDTH;4000", "ENGINE-LENGTH;06000;WIDTH;04000",
      "ENGINE-LENGTH;00000:WIDTH;04000", "ENGINE-LENGTH;06000:WIDTH;0400x",
      "ENGINE-WIDTH;04000",    "ENGINE-MEDIA_HANDLING;2", "ENGINE-MEDIA_HANDLING;5",
      "ENGINE-MEDIA_HANDLING;01", "ENGINE-IMAGE_SHFT_H;+5", "ENGINE-IMAGE_SHFT_H;05",
      "ENGINE-IMAGE_SHFT_H;-0", "ENGINE-IMAGE_SHFT_H;1001", "ENGINE-IMAGE_SHFT_H;-1001",
      "ENGINE-IMAGE_SHFT_H;", "ENGINE-IMAGE_SHFT_H;1 0", "ENGINE-IMAGE_SHFT_V;12801",
      "ENGINE-IMAGE_SHFT_V;99999999999", "engine-mode;X", " ENGINE-MODE;X", "ENGINE-MODE;X ",
      "",                      "!KVX_SETUP",            "~PAPER;ROTATE 90"};
  QByteArray job = "!KVX_SETUP\r\n";
  for (const char* l : blockLines) job += QByteArray(l) + "\r\n";
  job += "KVX_END\r\n";
  job += crlfJob({"!KVX_SETUP", "WINMODE-BEGIN", "KVX_END", "~PAPER;ROTATE 45",
                  "~PAPER;ROTATE 360", "~PAPER;ROTATE -90", "~PAPER;SPEED IPS 0",
                  "~PAPER;SPEED IPS 11", "~PAPER;SPEED 4", "~PAPER;LABELS 3", "~PAPER;LABELS",
                  "~PAPER;CALIBRATE ", "~PAPER;FEED", "ENGINE-MODE;D", "KVX_END", "!KVX_SETUP",
                  "WINMODE-END", "KVX_END"});
  const JobSummary s = p.runJob(job);
  EXPECT_EQ(p.state().active, EngineSettings());
  EXPECT_EQ(p.state().calibrations, 0);
  QStringList expected;
  for (const char* l : blockLines) expected << l;
  expected << "~PAPER;ROTATE 45" << "~PAPER;ROTATE 360" << "~PAPER;ROTATE -90"
           << "~PAPER;SPEED IPS 0" << "~PAPER;SPEED IPS 11" << "~PAPER;SPEED 4"
           << "~PAPER;LABELS 3" << "~PAPER;LABELS" << "~PAPER;CALIBRATE " << "~PAPER;FEED"
           << "ENGINE-MODE;D" << "KVX_END";
  EXPECT_EQ(unknown(p), expected);
  EXPECT_EQ(s.unknown, expected.size());
}

TEST(PrinterSimLanguage, ShiftRangeEdgesAndCustomSizesAreTaken) {
  SetupInterpreter p;
  p.runJob(crlfJob({"!KVX_SETUP", "ENGINE-IMAGE_SHFT_H;-1000", "ENGINE-IMAGE_SHFT_V;12800",
                    "ENGINE-LENGTH;99999:WIDTH;04100", "KVX_END"}));
  EXPECT_EQ(p.state().active.imageShiftH, -1000);
  EXPECT_EQ(p.state().active.imageShiftV, 12800);
  EXPECT_EQ(p.state().active.labelLength, 99999);
  EXPECT_EQ(p.state().active.labelWidth, 4100);
  p.runJob(crlfJob({"!KVX_SETUP", "ENGINE-IMAGE_SHFT_H;0", "ENGINE-IMAGE_SHFT_V;-1000",
                    "KVX_END"}));
  EXPECT_EQ(p.state().active.imageShiftH, 0);
  EXPECT_EQ(p.state().active.imageShiftV, -1000);
  EXPECT_TRUE(unknown(p).isEmpty());
}

TEST(PrinterSimLanguage, LineEndsAreCountedAndBareLineFeedsAccepted) {
  SetupInterpreter p;
  p.runJob("!KVX_SETUP\nENGINE-MODE;D\r\nKVX_END");
  EXPECT_EQ(p.state().active.printMode, 'D');
  EXPECT_EQ(p.state().lfLines, 1);
  EXPECT_EQ(p.state().crlfLines, 1);
  EXPECT_EQ(p.state().unterminatedLines, 1);
  EXPECT_TRUE(unknown(p).isEmpty());

  // A CR inside a line is part of the line, and a blank line is not a command.
  p.runJob("!KVX_SETUP\r\nENGINE-MODE;X\rKVX_END\r\n\r\n");
  EXPECT_EQ(p.state().active.printMode, 'D');
  EXPECT_EQ(unknown(p), QStringList({"ENGINE-MODE;X\rKVX_END", "", "!KVX_SETUP"}));
}

TEST(PrinterSimLanguage, EmptyConnectionIsNoJobAndLimitsHold) {
  SetupInterpreter p;
  EXPECT_FALSE(p.runJob(QByteArray()).counted);
  EXPECT_EQ(p.state().jobs, 0);

  // Garbage is bounded in the unknown list and in the kept job texts.
  QByteArray junk;
  for (int i = 0; i < tlw::sim::kMaxUnknownLines + 30; ++i) junk += QByteArray(300, 'z') + "\n";
  const JobSummary s = p.runJob(junk, /*truncated=*/true);
  EXPECT_EQ(s.unknown, tlw::sim::kMaxUnknownLines + 30);
  EXPECT_EQ(unknown(p).size(), tlw::sim::kMaxUnknownLines);
  EXPECT_EQ(p.state().unknownLinesDropped, 30);
  EXPECT_EQ(unknown(p).first().size(), tlw::sim::kMaxUnknownLineChars);
  EXPECT_EQ(p.state().truncatedJobs, 1);
  ASSERT_EQ(p.state().recentJobs.size(), 1);
  EXPECT_TRUE(p.state().recentJobs[0].cut);
  EXPECT_EQ(p.state().recentJobs[0].text.size(), tlw::sim::kMaxRecentJobChars);

  for (int i = 0; i < tlw::sim::kRecentJobs + 5; ++i) p.runJob(crlfJob({"!KVX_SETUP", "KVX_END"}));
  EXPECT_EQ(p.state().recentJobs.size(), tlw::sim::kRecentJobs);
  EXPECT_EQ(p.state().recentJobs.last().number, p.state().jobs);
}

TEST(PrinterSimLanguage, Latin1BytesSurviveIntoTheState) {
  SetupInterpreter p;
  p.runJob(QByteArray("\xA7\xE9\xFF\r\n"));
  ASSERT_EQ(unknown(p).size(), 1);
  EXPECT_EQ(unknown(p)[0].toLatin1(), QByteArray("\xA7\xE9\xFF"));
}

TEST(PrinterSimLanguage, DecimalNumbersAreCanonical) {
  int v = 42;
  EXPECT_TRUE(tlw::sim::parseDecimal("0", -5, 5, &v));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(tlw::sim::parseDecimal("-5", -5, 5, &v));
  EXPECT_EQ(v, -5);
  for (const char* bad : {"", "-", "+1", "01", "-0", "-05", "6", "-6", "1.0", "1e1", " 1", "1 ",
                          "9999999999", "٣"})
    EXPECT_FALSE(tlw::sim::parseDecimal(QString::fromUtf8(bad), -5, 5, &v)) << bad;
}

TEST(PrinterSimOptions, DefaultsAndValues) {
  tlw::sim::SimOptions o;
  QString err;
  ASSERT_TRUE(tlw::sim::parseOptions({}, &o, &err));
  EXPECT_EQ(o.port, 9100);
  EXPECT_EQ(o.listen, "127.0.0.1");
  EXPECT_FALSE(o.stalled);
  EXPECT_EQ(o.panelLine1, "READY");
  EXPECT_EQ(o.panelLine2, "ONLINE");

  ASSERT_TRUE(tlw::sim::parseOptions({"--stalled", "--port", "0", "--state=/tmp/s.json",
                                      "--panel-file", "/tmp/p", "--listen", "127.0.0.2"},
                                     &o, &err));
  EXPECT_TRUE(o.stalled);
  EXPECT_EQ(o.port, 0);
  EXPECT_EQ(o.stateFile, "/tmp/s.json");
  EXPECT_EQ(o.panelFile, "/tmp/p");
  EXPECT_EQ(o.listen, "127.0.0.2");
  EXPECT_EQ(o.panelLine1, "PAPER OUT");
  EXPECT_EQ(o.panelLine2, "LOAD MEDIA");

  ASSERT_TRUE(tlw::sim::parseOptions({"--panel", "HEAD OPEN", "CLOSE HEAD", "--stalled"}, &o, &err));
  EXPECT_EQ(o.panelLine1, "HEAD OPEN");
  EXPECT_EQ(o.panelLine2, "CLOSE HEAD");
  ASSERT_TRUE(tlw::sim::parseOptions({"--panel-line2", "", "--panel-line1", "X"}, &o, &err));
  EXPECT_EQ(o.panelLine1, "X");
  EXPECT_EQ(o.panelLine2, "");
}

TEST(PrinterSimOptions, MistakesAreRefused) {
  const QStringList bad[] = {{"--port"},
                             {"--port", "65536"},
                             {"--port", "-1"},
                             {"--port", "abc"},
                             {"--listen", "0.0.0.0"},
                             {"--listen", "192.168.1.5"},
                             {"--listen", "::1"},
                             {"--listen", "localhost"},
                             {"--panel", "ONE"},
                             {"--panel-line1", "A\nB"},
                             {"--bogus"},
                             {"--state"}};
  for (const QStringList& args : bad) {
    tlw::sim::SimOptions o;
    QString err;
    EXPECT_FALSE(tlw::sim::parseOptions(args, &o, &err)) << args.join(' ').toStdString();
    EXPECT_FALSE(err.isEmpty());
  }
}

TEST(PrinterSimResume, StoredSettingsSurviveAndPowerUpConfigurationBecomesActive) {
  SetupInterpreter before;
  before.runJob(emulationJob("2", "hulswitch   .e  6   0x0"));
  before.runJob(crlfJob({"!KVX_SETUP", "CONFIG-LOAD;2", "ENGINE-IMAGE_SHFT_V;-40",
                         "ENGINE-LENGTH;12345:WIDTH;03210", "CONFIG-SAVE;2", "CONFIG-POWERUP;2",
                         "ENGINE-MODE;D", "KVX_END"}));
  const QJsonObject saved = before.state().toJson();

  tlw::sim::PrinterState after;
  QString err;
  ASSERT_TRUE(after.restoreStoredSettings(saved, &err)) << err.toStdString();
  EXPECT_EQ(after.configurations, before.state().configurations);
  EXPECT_EQ(after.powerUp, 2);
  EXPECT_EQ(after.activeConfiguration, 2);
  EXPECT_EQ(after.active, before.state().configurations[1]);  // the unsaved 'D' is gone
  EXPECT_EQ(after.jobs, 0);

  // Power-up 0: the factory settings come up.
  QJsonObject factory = saved;
  factory["powerUp"] = 0;
  ASSERT_TRUE(after.restoreStoredSettings(factory, &err));
  EXPECT_EQ(after.active, EngineSettings());
  EXPECT_EQ(after.activeConfiguration, 0);
}

TEST(PrinterSimResume, DamagedStateIsRefusedAndChangesNothing) {
  SetupInterpreter p;
  const QJsonObject good = p.state().toJson();
  auto withConfig2 = [&](const char* key, const QJsonValue& v) {
    QJsonObject o = good;
    QJsonObject configs = o["configurations"].toObject();
    QJsonObject c2 = configs["2"].toObject();
    c2[key] = v;
    configs["2"] = c2;
    o["configurations"] = configs;
    return o;
  };
  QJsonObject noConfig8 = good;
  QJsonObject configs = noConfig8["configurations"].toObject();
  configs.remove("8");
  noConfig8["configurations"] = configs;
  QJsonObject badPowerUp = good;
  badPowerUp["powerUp"] = 9;
  QJsonObject textPowerUp = good;
  textPowerUp["powerUp"] = "2";

  const QJsonObject bad[] = {QJsonObject(),
                             noConfig8,
                             badPowerUp,
                             textPowerUp,
                             withConfig2("printMode", "laser"),
                             withConfig2("speed", 11),
                             withConfig2("speed", 4.5),
                             withConfig2("mediaHandlingCode", 2),
                             withConfig2("rotation", 45),
                             withConfig2("emulationSwitch", 3),
                             withConfig2("imageShiftV", 12801),
                             withConfig2("labelWidth", 0),
                             withConfig2("sensorCode", QJsonValue())};
  for (const QJsonObject& o : bad) {
    tlw::sim::PrinterState s;
    s.powerUp = 7;
    s.configurations[1].speed = 9;
    const tlw::sim::PrinterState untouched = s;
    QString err;
    EXPECT_FALSE(s.restoreStoredSettings(o, &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(s.configurations, untouched.configurations);
    EXPECT_EQ(s.powerUp, 7);
  }
}
