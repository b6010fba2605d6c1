#include "tray/tray_rules.h"

int ShellLevel(bool known, std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
  if (!known || major < 5) return 0;
  if (major == 5) return 1;
  if (major == 6 && minor == 0) return build < 6000 ? 2 : 3;
  return 4;
}

std::uint32_t NotifyIconDataSize(int shellLevel) {
  switch (shellLevel) {
    case 0:
      return 168;  // up to a 64-character tip
    case 1:
      return 952;  // up to dwInfoFlags
    case 2:
      return 968;  // up to guidItem
    default:
      return 976;  // the whole record, hBalloonIcon included
  }
}

std::u16string LiteralMenuText(const std::u16string& text) {
  std::u16string literal;
  literal.reserve(text.size());
  for (const char16_t c : text) {
    literal += c;
    if (c == u'&') literal += c;
  }
  return literal;
}
