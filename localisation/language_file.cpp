#include "localisation/language_file.h"

namespace {

constexpr std::size_t kUnitsPerRead = 254;  // fgetws with a buffer of 255 units
constexpr char16_t kReplacement = 0xFFFD;

// Decodes UTF-8 the way the runtime's stream does: each ill-formed sequence becomes one U+FFFD;
// overlong forms, surrogates and values above U+10FFFF are ill-formed.
std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80) {
      out += static_cast<char16_t>(lead);
      continue;
    }
    int following;
    char32_t code;
    unsigned char low = 0x80, high = 0xBF;  // range of the first continuation byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      following = 1;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      following = 2;
      code = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      following = 3;
      code = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      out += kReplacement;
      continue;
    }
    // The first continuation byte belongs to the sequence whatever its value; only then is an
    // overlong form, a surrogate or a value above U+10FFFF refused (as the system's converter
    // does).
    bool complete = true;
    for (int k = 0; k < following; ++k) {
      if (i >= bytes.size() || (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
        complete = false;
        break;
      }
      const auto next = static_cast<unsigned char>(bytes[i++]);
      code = code << 6 | (next & 0x3F);
      if (k == 0 && (next < low || next > high)) {
        complete = false;
        break;
      }
    }
    if (!complete) {
      out += kReplacement;
    } else if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
  return out;
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  return out;
}

// Text mode: CR LF reads as LF, and Ctrl+Z ends the data.
std::u16string TextMode(const std::u16string& units) {
  std::u16string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i] == 0x1A) break;
    if (units[i] == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n') continue;
    out += units[i];
  }
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// Words separated by runs of U+0020; tabs are part of words.
std::vector<std::u16string> SplitWords(const std::u16string& line) {
  std::vector<std::u16string> words;
  std::size_t start = 0;
  while ((start = line.find_first_not_of(u' ', start)) != std::u16string::npos) {
    const std::size_t end = line.find(u' ', start);
    words.push_back(line.substr(start, end - start));
    if (end == std::u16string::npos) break;
    start = end;
  }
  return words;
}

// Replaces every two-unit `from` by `to`, left to right, without rescanning what was inserted.
std::u16string ReplaceEscape(const std::u16string& text, char16_t letter, char16_t to) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == letter) {
      out += to;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// What the runtime's iswspace accepts, and so what its decimal conversion skips.
bool IsWideSpace(char16_t ch) {
  switch (ch) {
    case u' ':
    case u'\u00A0':  // no-break space
    case u'\u1680':
    case u'\u2028':
    case u'\u2029':
    case u'\u202F':
    case u'\u205F':
    case u'\u3000':  // ideographic space
      return true;
    default:
      return (ch >= u'\t' && ch <= u'\r') || (ch >= u'\u2000' && ch <= u'\u200A');
  }
}

}  // namespace

std::optional<std::vector<std::u16string>> ReadLanguageLines(std::string_view bytes) {
  std::u16string units;
  if (StartsWith(bytes, "\xFE\xFF")) return std::nullopt;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    units = DecodeUtf8(bytes.substr(3));
  } else if (StartsWith(bytes, "\xFF\xFE")) {
    units = DecodeUtf16Le(bytes.substr(2));
  } else {
    units = DecodeUtf8(bytes);
  }
  const std::u16string text = TextMode(units);

  std::vector<std::u16string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t length = 0;
    while (length < kUnitsPerRead && pos + length < text.size()) {
      if (text[pos + length++] == u'\n') break;
    }
    // The runtime hands each read back as a C string: the line ends at its first NUL.
    const std::u16string read = text.substr(pos, length);
    lines.push_back(read.substr(0, read.find(u'\0')));
    pos += length;
  }
  return lines;
}

std::u16string TrimLineEnd(std::u16string line) {
  while (!line.empty() && (line.back() == u'\r' || line.back() == u'\n')) line.pop_back();
  return line;
}

std::uint32_t ParseStringId(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsWideSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  // The runtime converts to a 32-bit long and saturates; the id is that value, unsigned.
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > 0x80000000LL) value = 0x80000000LL;
  }
  if (negative) value = -value;
  if (value > 0x7FFFFFFFLL) value = 0x7FFFFFFFLL;
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

LanguageFile ParseLanguageFile(std::string_view bytes, bool headerOnly) {
  LanguageFile file;
  const auto lines = ReadLanguageLines(bytes);
  if (!lines || lines->size() < 2) return file;
  if (TrimLineEnd((*lines)[0]) != u"<utf-8 encoding>") return file;
  const std::u16string languageLine = TrimLineEnd((*lines)[1]);
  const auto words = SplitWords(languageLine);
  if (words.empty() || words[0] != u"LangID") return file;
  file.valid = true;
  file.languageName = words.size() > 1 ? words[1] : u"";
  if (headerOnly) return file;

  for (std::size_t n = 2; n < lines->size(); ++n) {
    const std::u16string line = TrimLineEnd((*lines)[n]);
    const std::size_t space = line.find(u' ');
    if (line.empty() || space == std::u16string::npos) continue;
    const std::u16string text =
        ReplaceEscape(ReplaceEscape(line.substr(space + 1), u'n', u'\n'), u't', u'\t');
    file.texts[ParseStringId(line)] = text;
  }
  return file;
}
