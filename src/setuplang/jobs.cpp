#include "setuplang/jobs.h"

#include "core/settings.h"

namespace tlw {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");
const QByteArray kSetup = QByteArrayLiteral("!KVX_SETUP\r\n");
const QByteArray kEnd = QByteArrayLiteral("KVX_END\r\n");

QByteArray line(const QByteArray& text) { return text + kCrLf; }
QByteArray number(int n) { return QByteArray::number(n); }

bool selected(const WizardSettings& s, IgnoreBox box) { return s.ignore(box) == 0; }

// Collects command lines and remembers the first setting that had none.
class Composer {
 public:
  explicit Composer(const WizardSettings& s) : s_(s) {}

  // The command table entry at the list's selection, or empty (refusal noted).
  QByteArray command(ListControl list, const char* setting) {
    const QByteArray cmd = optionCommand(list, s_.index(list));
    if (cmd.isEmpty()) refuse(setting);
    return cmd;
  }
  // The size code at the list's selection, or empty (refusal noted).
  QString sizeCode(ListControl list, const QStringList& codes, const char* setting) {
    const int i = s_.index(list);
    if (i < 0 || i >= codes.size() || i >= s_.count(list) || codes.at(i).isEmpty()) {
      refuse(setting);
      return {};
    }
    return codes.at(i);
  }
  void refuse(const char* setting) {
    if (!job.refused) job.problem = QStringLiteral("no entry selected for ") + QLatin1String(setting);
    job.refused = true;
  }
  BuiltJob finish(const QByteArray& text) {
    if (!job.refused) job.text = text;
    return job;
  }

 private:
  const WizardSettings& s_;
  BuiltJob job;
};

}  // namespace

BuiltJob BuildCfgJob(const WizardSettings& s) {
  Composer c(s);
  QByteArray engine = kSetup;
  QByteArray page;
  bool engineUsed = false;
  bool pageUsed = false;

  if (selected(s, IgnoreBox::MediaType)) {
    engine += c.command(ListControl::MediaType, "Print Mode");
    engineUsed = true;
  }
  if (selected(s, IgnoreBox::MediaSize)) {
    const QString length =
        c.sizeCode(ListControl::LabelLength, s.labelLengthValues(), "Label Length");
    const QString width = c.sizeCode(ListControl::LabelWidth, s.labelWidthValues(), "Label Width");
    engine += line("ENGINE-LENGTH;" + length.toLatin1() + ":WIDTH;" + width.toLatin1());
    engineUsed = true;
  }
  if (selected(s, IgnoreBox::Orientation)) {
    page += c.command(ListControl::Orientation, "Orientation");
    pageUsed = true;
  }
  if (selected(s, IgnoreBox::Dispense)) {
    engine += c.command(ListControl::Dispense, "Media Handling");
    engineUsed = true;
  }
  if (selected(s, IgnoreBox::PrintSpeed)) {
    page += c.command(ListControl::PrintSpeed, "Print Speed");
    pageUsed = true;
  }
  if (selected(s, IgnoreBox::Gap)) {
    page += c.command(ListControl::Gap, "Gap Sensor Type");
    pageUsed = true;
  }
  // The shifts are kept in 1/100 inch; the printer takes thousandths.
  if (selected(s, IgnoreBox::Horz)) {
    engine += line("ENGINE-IMAGE_SHFT_H;" + number(s.horzShift() * 10));
    engineUsed = true;
  }
  if (selected(s, IgnoreBox::Vert)) {
    engine += line("ENGINE-IMAGE_SHFT_V;" + number(s.vertShift() * 10));
    engineUsed = true;
  }

  QByteArray job;
  if (engineUsed) job = engine + kEnd;
  if (pageUsed) {
    job += kSetup + line("WINMODE-BEGIN") + kEnd;
    job += page;
    job += kSetup + line("WINMODE-END") + kEnd;
  }
  return c.finish(job);
}

BuiltJob BuildEmuJob(const WizardSettings& s, int n, int useOldEmulationCmd) {
  Composer c(s);
  const QByteArray overlay = useOldEmulationCmd == 1 ? "CONFIG-DOWNLOAD;" : "CONFIG-OVERLAY;";
  const QByteArray emulation = c.command(ListControl::Emulation, "Active Emulation");
  return c.finish(kSetup + line(overlay + number(n) + ".") + line("guardsave   .e  0   0x0") +
                  emulation + line(overlay + "END.") + kEnd);
}

QByteArray BuildLoadCfgJob(int n) { return kSetup + line("CONFIG-LOAD;" + number(n)) + kEnd; }

QByteArray BuildCalibrateJob() {
  return kSetup + line("WINMODE-BEGIN") + kEnd + line("~PAPER;CALIBRATE") + kSetup +
         line("WINMODE-END") + kEnd;
}

QByteArray BuildSaveCfgJob(int n) {
  QByteArray job = kSetup;
  if (n > 0) job += line("CONFIG-SAVE;" + number(n));
  return job + kEnd;
}

QByteArray BuildSetPowerUpJob(int n) {
  QByteArray job = kSetup;
  if (n >= 0) job += line("CONFIG-POWERUP;" + number(n));
  return job + kEnd;
}

QByteArray BuildEmptyJob() { return kSetup + kEnd; }

}  // namespace tlw
