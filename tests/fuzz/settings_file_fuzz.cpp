// Feeds arbitrary bytes to the settings file decoder. The bytes are handed over
// without a copy, so any read past the end lands in the sanitizer's red zone.
// A file that passes the checks must also survive being put into the settings
// and written out again: the written file decodes to the same content, and
// writing it a second time gives the same bytes.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/state.h"
#include "core/settings.h"
#include "core/settings_file.h"

namespace {

bool sameContent(const tlw::SettingsFileContent& a, const tlw::SettingsFileContent& b) {
  return a.mediaTypeCB == b.mediaTypeCB && a.mediaTypeIndex == b.mediaTypeIndex &&
         a.mediaSizeCB == b.mediaSizeCB && a.lengthCodes == b.lengthCodes &&
         a.lengthTexts == b.lengthTexts && a.widthCodes == b.widthCodes &&
         a.widthTexts == b.widthTexts && a.lengthIndex == b.lengthIndex &&
         a.widthIndex == b.widthIndex && a.orientationCB == b.orientationCB &&
         a.orientationIndex == b.orientationIndex && a.dispenseCB == b.dispenseCB &&
         a.dispenseIndex == b.dispenseIndex && a.printSpeedCB == b.printSpeedCB &&
         a.printSpeedIndex == b.printSpeedIndex && a.gapCB == b.gapCB &&
         a.gapIndex == b.gapIndex && a.horzCB == b.horzCB && a.horzShift == b.horzShift &&
         a.vertCB == b.vertCB && a.vertShift == b.vertShift &&
         a.emulationCB == b.emulationCB && a.emulationIndex == b.emulationIndex;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<tlw::SettingsFileContent> content = tlw::DecodeWizardSettings(bytes);
  if (!content) return 0;

  tlw::SessionFlags session;
  tlw::WizardSettings settings(&session);
  tlw::ApplySettingsFileContent(*content, settings);
  const QByteArray written = tlw::EncodeWizardSettings(settings);
  const std::optional<tlw::SettingsFileContent> again = tlw::DecodeWizardSettings(written);
  if (!again || !sameContent(*content, *again)) std::abort();
  // Only a longer mark and bytes after the last value are left out when writing.
  if (written.size() > bytes.size()) std::abort();

  tlw::WizardSettings reloaded(&session);
  tlw::ApplySettingsFileContent(*again, reloaded);
  if (tlw::EncodeWizardSettings(reloaded) != written) std::abort();
  return 0;
}
