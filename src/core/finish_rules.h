#pragma once
#include <QString>
#include <vector>

#include "platform/prompts.h"

namespace tlw {

class WizardSettings;

// The rules a run must pass before anything is sent, with their texts. The wizard
// asks them on the pages where the operator makes the choice (the media page, the
// second settings page and the finish page); tenlark-apply asks them all at once.

enum class FindingKind {
  NothingSelected,     // every Ignore box is checked
  MediaSizeInvalid,    // no size entry picked, or the label is wider than the printer
  EmulationNeedsSave,  // an emulation change without a configuration to hold it
  CalibrationNeeded,   // print mode, label size or gap sensor makes the printer calibrate
  OverwriteConfig,     // the save may overwrite a stored configuration
};

enum class FindingType {
  Refusal,   // the run cannot go on; the operator must change a choice
  Question,  // the run goes on only on Yes
};

// One finding, as the wizard shows it: the box's title, exact text, icon, buttons
// and default button.
struct Finding {
  FindingKind kind;
  FindingType type;
  MessageBox box;
};

// The operator's choices on the finish page.
struct FinishChoices {
  bool saveRequested = false;  // store the result into a configuration
};

// The box of one finding.
Finding MakeFinding(FindingKind kind);

// Every finding for these settings on a printer of `widthClass` (0 unknown: any
// width fits), in the order the wizard meets them: nothing selected, media size,
// emulation without save, calibration, overwrite.
std::vector<Finding> FinishFindings(const WizardSettings& settings, int widthClass,
                                    const FinishChoices& choices);

// The notice after the operator answered No to a question of the finish page.
MessageBox SettingsNotSentNotice();

}  // namespace tlw
