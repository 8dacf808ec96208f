#pragma once
#include <QString>
#include <vector>

#include "pages/wizard_shell.h"

namespace tlw {

// The forms written by SaveScreenshots, in order.
std::vector<FormId> ScreenshotForms();

// Shows each form of ScreenshotForms() in turn (modeless, so nothing waits for the
// operator) and writes its image to `folder`/<FormName>.png. Returns the number of
// images written. Used by scripts/screenshots through the TENLARK_SCREENSHOTS
// environment variable of tenlark-wizard.
int SaveScreenshots(WizardShell& shell, const QString& folder);

}  // namespace tlw
