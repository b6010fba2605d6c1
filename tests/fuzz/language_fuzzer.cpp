// Any language file: the reader never reads out of bounds, never hangs, and keeps its promises
// about read sizes and header results.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "localisation/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto lines = ReadLanguageLines(bytes)) {
    for (const std::u16string& line : *lines) {
      // A read that begins with a NUL is an empty C string; none holds a NUL.
      if (line.size() > 254 || line.find(u'\0') != std::u16string::npos) std::abort();
      // Only the last unit of a read can be its line feed.
      if (line.find(u'\n') != std::u16string::npos && line.find(u'\n') != line.size() - 1)
        std::abort();
    }
  }
  const LanguageFile file = ParseLanguageFile(bytes);
  const LanguageFile header = ParseLanguageFile(bytes, true);
  if (file.valid != header.valid || file.languageName != header.languageName) std::abort();
  if (!file.valid && !file.texts.empty()) std::abort();
  if (file.languageName.find(u' ') != std::u16string::npos) std::abort();
  return 0;
}
