#include "core/finish_rules.h"

#include "core/settings.h"

namespace tlw {

namespace {

MessageBox notice(const QString& text) {
  MessageBox box;
  box.title = QStringLiteral("Notice");
  box.text = text;
  box.icon = BoxIcon::Information;
  return box;
}

MessageBox warningQuestion(const QString& title, const QString& text) {
  MessageBox box;
  box.title = title;
  box.text = text;
  box.icon = BoxIcon::Warning;
  box.buttons = BoxButtons::YesNo;
  box.defaultButton = BoxAnswer::No;
  return box;
}

}  // namespace

Finding MakeFinding(FindingKind kind) {
  switch (kind) {
    case FindingKind::NothingSelected:
      return {kind, FindingType::Refusal,
              notice(QStringLiteral("No settings selected. Please select a setting to change or "
                                    "press cancel to exit"))};
    case FindingKind::MediaSizeInvalid:
      return {kind, FindingType::Refusal,
              notice(QStringLiteral("Invalid media size selected or media size entered manually.\r\n"
                                    "Please use the drop down menu or Customize button to specify "
                                    "the media size"))};
    case FindingKind::EmulationNeedsSave:
      return {kind, FindingType::Refusal,
              notice(QStringLiteral("Changing the active emulation requires you to save the "
                                    "configuration.\r\nPlease select a configuration number to hold "
                                    "this change."))};
    case FindingKind::CalibrationNeeded:
      return {kind, FindingType::Question,
              warningQuestion(
                  QStringLiteral("Calibration Required"),
                  QStringLiteral("Warning! One or more of the settings you specified require "
                                 "calibration to be performed.\r\nCalibration may interfere with "
                                 "current jobs sent to the printer.\r\n\r\nDo you want to continue?"))};
    case FindingKind::OverwriteConfig:
      return {kind, FindingType::Question,
              warningQuestion(QStringLiteral("Configuration Overwrite Warning"),
                              QStringLiteral("Warning! You may overwrite a previously saved "
                                             "configuration.\r\nAre you sure you want to continue?"))};
  }
  return {kind, FindingType::Refusal, {}};
}

std::vector<Finding> FinishFindings(const WizardSettings& settings, int widthClass,
                                    const FinishChoices& choices) {
  std::vector<Finding> findings;
  const SettingState state = CollectSettingState(settings);
  if (!isSet(state.SettingsSelected)) findings.push_back(MakeFinding(FindingKind::NothingSelected));
  if (settings.ignore(IgnoreBox::MediaSize) == 0 && !MediaSizeFits(settings, widthClass))
    findings.push_back(MakeFinding(FindingKind::MediaSizeInvalid));
  if (settings.ignore(IgnoreBox::Emulation) == 0 && !choices.saveRequested)
    findings.push_back(MakeFinding(FindingKind::EmulationNeedsSave));
  if (isSet(state.CalibrationNeeded)) findings.push_back(MakeFinding(FindingKind::CalibrationNeeded));
  if (choices.saveRequested) findings.push_back(MakeFinding(FindingKind::OverwriteConfig));
  return findings;
}

MessageBox SettingsNotSentNotice() {
  MessageBox box;
  box.title = QStringLiteral("Printer Setting Not Saved");
  box.text = QStringLiteral("Setting download aborted. No printer settings were changed");
  box.icon = BoxIcon::Warning;
  return box;
}

}  // namespace tlw
