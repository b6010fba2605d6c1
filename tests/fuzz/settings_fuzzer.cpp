// Any file content: the text-mode undoing and the decoder never read out of bounds, and whatever
// they accept stays within the limits the rest of the program relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "settings/settings_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes stored(data, data + size);
  Settings settings;
  DecodeSettings(FromTextMode(stored), settings);
  if (settings.chosenDrives.size() > kMaxDriveCount) std::abort();
  for (const auto& [letter, flag] : settings.chosenDrives) {
    if (letter < u'A' || letter > u'Z' || (flag != 0 && flag != 1)) std::abort();
  }
  if (settings.languageName.size() > kMaxLanguageNameLength) std::abort();

  // What was read is written back the same way.
  Settings reread;
  DecodeSettings(FromTextMode(ToTextMode(EncodeSettings(settings))), reread);
  if (!(reread == settings)) std::abort();
  return 0;
}
