// Language files: the stream reading of the runtime's "r,ccs=UTF-8" mode with 255-unit line reads,
// the header check and the entry lines. Platform-free.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using StringTable = std::map<std::uint32_t, std::u16string>;

// The lines one fgetws(buffer, 255, file) after another would give, each with its line feed when
// the read reached one: at most 254 UTF-16 units per read, each cut at its first NUL as the C
// string it is. Nothing when the file cannot be opened in that mode (it begins with the UTF-16
// big-endian mark).
std::optional<std::vector<std::u16string>> ReadLanguageLines(std::string_view bytes);

// Removes every trailing CR and LF.
std::u16string TrimLineEnd(std::u16string line);

// The runtime's wide decimal conversion as a 32-bit unsigned id: leading white space (what
// iswspace accepts, Unicode spaces included), an optional
// sign, digits up to the first non-digit; 0 without digits; a negative value wraps.
std::uint32_t ParseStringId(std::u16string_view text);

struct LanguageFile {
  bool valid = false;           // both header lines passed
  std::u16string languageName;  // the word after "LangID"
  StringTable texts;            // entry lines, the last line of an id winning
};

// Checks the two header lines and, unless `headerOnly`, reads every entry line.
LanguageFile ParseLanguageFile(std::string_view bytes, bool headerOnly = false);
