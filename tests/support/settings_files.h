#pragma once
#include <QString>
#include <functional>

namespace tlw {
class WizardSettings;
}

namespace tlw::test {

// Writes a settings file as the wizard saves it: every box checked (left as the
// printer has it) except what `change` unchecks and sets. Returns `path`, or an
// empty text when the file could not be written.
QString WriteSettingsFile(const QString& path, const std::function<void(WizardSettings&)>& change);

// Changes for WriteSettingsFile: a 6.0 inch wide label (too wide for a 4-inch
// printer), and the orientation alone (one update job, no calibration).
void WideLabel(WizardSettings& settings);
void OrientationOnly(WizardSettings& settings);

}  // namespace tlw::test
