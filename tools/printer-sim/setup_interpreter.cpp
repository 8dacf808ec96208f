#include "setup_interpreter.h"

#include <QRegularExpression>

namespace tlw::sim {

namespace {

const QString kBlockOpen = QStringLiteral("!KVX_SETUP");
const QString kBlockClose = QStringLiteral("KVX_END");
const QString kPageModeBegin = QStringLiteral("WINMODE-BEGIN");
const QString kPageModeEnd = QStringLiteral("WINMODE-END");
const QString kPagePrefix = QStringLiteral("~PAPER;");
const QString kOverlay = QStringLiteral("CONFIG-OVERLAY;");
const QString kDownload = QStringLiteral("CONFIG-DOWNLOAD;");
const QString kGuardSave = QStringLiteral("guardsave   .e  0   0x0");

bool isKnownEmulation(int n) { return !emulationName(n).isEmpty(); }

// "keyword" + number: the number part after the keyword, or a null string.
QString after(const QString& line, const QString& keyword) {
  if (!line.startsWith(keyword)) return QString();
  return line.mid(keyword.size());
}

bool isFiveDigits(const QString& s) {
  if (s.size() != 5) return false;
  for (QChar c : s)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

}  // namespace

bool parseDecimal(const QString& text, int min, int max, int* value) {
  int i = 0;
  bool negative = false;
  if (text.startsWith(QLatin1Char('-'))) {
    negative = true;
    i = 1;
  }
  const int digits = static_cast<int>(text.size()) - i;
  if (digits < 1 || digits > 9) return false;
  if (text[i] == QLatin1Char('0') && (digits > 1 || negative)) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    v = v * 10 + (c.unicode() - '0');
  }
  if (negative) v = -v;
  if (v < min || v > max) return false;
  *value = static_cast<int>(v);
  return true;
}

JobSummary SetupInterpreter::runJob(const QByteArray& job, bool truncated) {
  JobSummary summary;
  if (job.isEmpty()) return summary;  // a bare connect and close is not a job

  summary.counted = true;
  summary.number = ++state_.jobs;
  if (truncated) ++state_.truncatedJobs;

  RecentJob recent;
  recent.number = summary.number;
  recent.cut = job.size() > kMaxRecentJobChars;
  recent.text = QString::fromLatin1(job.left(kMaxRecentJobChars));
  state_.recentJobs.append(recent);
  while (state_.recentJobs.size() > kRecentJobs) state_.recentJobs.removeFirst();

  JobContext ctx;
  qsizetype start = 0;
  while (start < job.size()) {
    qsizetype end = job.indexOf('\n', start);
    bool terminated = end >= 0;
    if (!terminated) end = job.size();
    QByteArray raw = job.mid(start, end - start);
    bool cr = raw.endsWith('\r');
    if (cr) raw.chop(1);
    if (!terminated)
      ++state_.unterminatedLines;
    else if (cr)
      ++state_.crlfLines;
    else
      ++state_.lfLines;
    ++summary.lines;
    handleLine(ctx, QString::fromLatin1(raw));
    start = end + 1;
  }

  // A job that ends inside an overlay or a setup block: the overlay is
  // dropped, and the line that opened what was left open is reported.
  if (ctx.overlay.open) {
    addUnknown(ctx, ctx.overlay.openingLine);
    ctx.overlay = Overlay();
  }
  if (ctx.inBlock) addUnknown(ctx, kBlockOpen);

  summary.unknown = ctx.unknown;
  return summary;
}

void SetupInterpreter::addUnknown(JobContext& ctx, const QString& line) {
  ++ctx.unknown;
  if (state_.unknownLines.size() >= kMaxUnknownLines) {
    ++state_.unknownLinesDropped;
    return;
  }
  state_.unknownLines.append(line.left(kMaxUnknownLineChars));
}

void SetupInterpreter::handleLine(JobContext& ctx, const QString& line) {
  if (!ctx.inBlock) {
    if (line == kBlockOpen) {
      ctx.inBlock = true;
      return;
    }
    if (ctx.pageMode && line.startsWith(kPagePrefix) && handlePageModeLine(line)) return;
    addUnknown(ctx, line);
    return;
  }
  if (ctx.overlay.open) {
    if (handleOverlayLine(ctx, line)) return;
    addUnknown(ctx, line);
    return;
  }
  if (!handleBlockLine(ctx, line)) addUnknown(ctx, line);
}

bool SetupInterpreter::handleOverlayLine(JobContext& ctx, const QString& line) {
  Overlay& ov = ctx.overlay;
  if (line == ov.keyword + QStringLiteral("END.")) {
    if (ov.emulation != 0)
      state_.configurations[static_cast<size_t>(ov.configuration - 1)].emulation = ov.emulation;
    ov = Overlay();
    return true;
  }
  if (line == kGuardSave) return true;
  static const QRegularExpression kSwitch(QStringLiteral("^hulswitch   \\.e  (\\d)   0x0$"));
  const QRegularExpressionMatch m = kSwitch.match(line);
  if (m.hasMatch()) {
    const int n = m.captured(1).toInt();
    if (!isKnownEmulation(n)) return false;
    ov.emulation = n;
    return true;
  }
  if (line == kBlockClose) {
    // The block ends with the overlay still open: nothing is written.
    addUnknown(ctx, ov.openingLine);
    ov = Overlay();
    ctx.inBlock = false;
    return true;
  }
  return false;
}

bool SetupInterpreter::handleBlockLine(JobContext& ctx, const QString& line) {
  EngineSettings& a = state_.active;
  if (line == kBlockClose) {
    ctx.inBlock = false;
    return true;
  }
  if (line == kPageModeBegin) {
    ctx.pageMode = true;
    return true;
  }
  if (line == kPageModeEnd) {
    ctx.pageMode = false;
    return true;
  }

  QString arg;
  int n = 0;
  if (!(arg = after(line, QStringLiteral("ENGINE-MODE;"))).isNull()) {
    if (arg != QLatin1String("X") && arg != QLatin1String("D")) return false;
    a.printMode = arg[0].toLatin1();
    return true;
  }
  if (!(arg = after(line, QStringLiteral("ENGINE-LENGTH;"))).isNull()) {
    // ENGINE-LENGTH;nnnnn:WIDTH;nnnnn, five digits each, neither zero.
    const QString widthKey = QStringLiteral(":WIDTH;");
    if (arg.size() != 5 + widthKey.size() + 5 || arg.mid(5, widthKey.size()) != widthKey)
      return false;
    const QString len = arg.left(5), wid = arg.right(5);
    if (!isFiveDigits(len) || !isFiveDigits(wid)) return false;
    const int l = len.toInt(), w = wid.toInt();
    if (l == 0 || w == 0) return false;
    a.labelLength = l;
    a.labelWidth = w;
    return true;
  }
  if (!(arg = after(line, QStringLiteral("ENGINE-MEDIA_HANDLING;"))).isNull()) {
    if (!parseDecimal(arg, 0, 4, &n) || mediaHandlingName(n).isEmpty()) return false;
    a.mediaHandling = n;
    return true;
  }
  if (!(arg = after(line, QStringLiteral("ENGINE-IMAGE_SHFT_H;"))).isNull()) {
    if (!parseDecimal(arg, kShiftHMin, kShiftHMax, &n)) return false;
    a.imageShiftH = n;
    return true;
  }
  if (!(arg = after(line, QStringLiteral("ENGINE-IMAGE_SHFT_V;"))).isNull()) {
    if (!parseDecimal(arg, kShiftVMin, kShiftVMax, &n)) return false;
    a.imageShiftV = n;
    return true;
  }
  for (const QString& keyword : {kOverlay, kDownload}) {
    if (!(arg = after(line, keyword)).isNull()) {
      // "n." opens an overlay of stored configuration n; "END." outside an
      // open overlay has nothing to close.
      if (!arg.endsWith(QLatin1Char('.'))) return false;
      if (!parseDecimal(arg.chopped(1), 1, kStoredConfigurations, &n)) return false;
      ctx.overlay.open = true;
      ctx.overlay.keyword = keyword;
      ctx.overlay.openingLine = line;
      ctx.overlay.configuration = n;
      ctx.overlay.emulation = 0;
      return true;
    }
  }
  if (!(arg = after(line, QStringLiteral("CONFIG-LOAD;"))).isNull()) {
    if (!parseDecimal(arg, 1, kStoredConfigurations, &n)) return false;
    state_.active = state_.configurations[static_cast<size_t>(n - 1)];
    state_.activeConfiguration = n;
    return true;
  }
  if (!(arg = after(line, QStringLiteral("CONFIG-SAVE;"))).isNull()) {
    if (!parseDecimal(arg, 1, kStoredConfigurations, &n)) return false;
    state_.configurations[static_cast<size_t>(n - 1)] = state_.active;
    state_.activeConfiguration = n;
    return true;
  }
  if (!(arg = after(line, QStringLiteral("CONFIG-POWERUP;"))).isNull()) {
    if (!parseDecimal(arg, 0, kStoredConfigurations, &n)) return false;
    state_.powerUp = n;
    return true;
  }
  return false;
}

bool SetupInterpreter::handlePageModeLine(const QString& line) {
  EngineSettings& a = state_.active;
  const QString cmd = line.mid(kPagePrefix.size());
  QString arg;
  int n = 0;
  if (cmd == QLatin1String("CALIBRATE")) {
    ++state_.calibrations;
    return true;
  }
  if (!(arg = after(cmd, QStringLiteral("ROTATE "))).isNull()) {
    if (!parseDecimal(arg, 0, 270, &n) || n % 90 != 0) return false;
    a.rotation = n;
    return true;
  }
  if (!(arg = after(cmd, QStringLiteral("SPEED IPS "))).isNull()) {
    if (!parseDecimal(arg, 1, 10, &n)) return false;
    a.speed = n;
    return true;
  }
  if (!(arg = after(cmd, QStringLiteral("LABELS "))).isNull()) {
    if (!parseDecimal(arg, 0, 2, &n)) return false;
    a.sensor = n;
    return true;
  }
  return false;
}

}  // namespace tlw::sim
