#pragma once
#include <QByteArray>
#include <QString>


namespace tlw {

class WizardSettings;

// Job texts in the printer's setup language. Every line ends in CR LF. Engine and
// stored-configuration commands stand in a setup block ("!KVX_SETUP" ... "KVX_END");
// the "~PAPER;" page-mode commands stand between a "WINMODE-BEGIN" block and a
// "WINMODE-END" block. Numbers are plain decimal with a leading minus when negative.

// Result of a builder that reads list selections.
//  - text: the job bytes; empty when none of the job's settings is selected.
//  - refused: set when a selected setting has no entry to send (its list index is
//    -1, typed text instead of a pick, or lies beyond its command or size table).
//    Such a job is never built: text is empty and `problem` names the setting.
struct BuiltJob {
  QByteArray text;
  bool refused = false;
  QString problem;  // e.g. "no entry selected for Orientation"
};

// The configuration update job: print mode, label size, media handling and image
// shifts in one engine block, then orientation, print speed and gap sensor in the
// page-mode bracket. Settings whose Ignore box is checked are left out; the
// emulation has a job of its own.
BuiltJob BuildCfgJob(const WizardSettings& settings);
// The emulation switch written into stored configuration n by overlay
// ("CONFIG-OVERLAY;", or "CONFIG-DOWNLOAD;" when useOldEmulationCmd is 1).
BuiltJob BuildEmuJob(const WizardSettings& settings, int n, int useOldEmulationCmd);
// Makes stored configuration n the active one.
QByteArray BuildLoadCfgJob(int n);
// Asks the printer to calibrate its media sensor.
QByteArray BuildCalibrateJob();
// Saves the active settings into configuration n; n <= 0 leaves an empty block.
QByteArray BuildSaveCfgJob(int n);
// Chooses the power-up configuration (0 factory); n < 0 leaves an empty block.
QByteArray BuildSetPowerUpJob(int n);
// The framing lines alone: a probe that makes the spooler move on.
QByteArray BuildEmptyJob();

}  // namespace tlw
