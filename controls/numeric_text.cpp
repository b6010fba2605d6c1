#include "controls/numeric_text.h"

#include <limits>

namespace {

constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
constexpr auto kMax = std::numeric_limits<std::int64_t>::max();

bool IsDigit(char16_t ch) {
  return ch >= u'0' && ch <= u'9';
}

bool IsSpace(char16_t ch) {
  return ch == u' ' || (ch >= u'\t' && ch <= u'\r');
}

}  // namespace

std::u16string CleanNumberText(std::u16string text) {
  if (text.empty()) return u"0";
  const bool negative = text.front() == u'-';
  if (negative) text.erase(0, 1);
  for (char16_t& ch : text) {
    if (ch == u',') ch = u'.';
  }
  if (const auto dot = text.find(u'.'); dot != std::u16string::npos) text.resize(dot);
  text.erase(0, text.find_first_not_of(u'0'));
  if (text.empty()) return u"0";
  for (char16_t ch : text) {
    if (!IsDigit(ch)) return u"0";
  }
  return negative ? u"-" + text : text;
}

std::int64_t ParseLeadingNumber(const std::u16string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  // Accumulate towards the sign's side, so that the minimum is reachable without overflow.
  std::int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    const int digit = text[i] - u'0';
    if (negative) {
      if (value < (kMin + digit) / 10) return kMin;
      value = value * 10 - digit;
    } else {
      if (value > (kMax - digit) / 10) return kMax;
      value = value * 10 + digit;
    }
  }
  return value;
}

std::int64_t ClampNumber(std::int64_t value, const NumberBounds& bounds) {
  if (value < bounds.minimum) {
    value = bounds.minimum;
  } else if (value > bounds.maximum) {
    value = bounds.maximum;
  }
  // The most negative value has no absolute value; it becomes the largest one.
  if (!bounds.allowNegative && value < 0) value = value == kMin ? kMax : -value;
  return value;
}

std::int64_t CommitNumberText(const std::u16string& text, const NumberBounds& bounds) {
  return ClampNumber(ParseLeadingNumber(CleanNumberText(text)), bounds);
}

std::optional<std::int64_t> StepNumber(std::int64_t value, std::int64_t step,
                                       const NumberBounds& bounds) {
  // 128-bit arithmetic: value + step may leave the 64-bit range.
  const __int128 next = static_cast<__int128>(value) + step;
  if (step > 0) {
    if (value >= bounds.maximum) return std::nullopt;
    return next >= bounds.maximum ? bounds.maximum : static_cast<std::int64_t>(next);
  }
  if (value <= bounds.minimum) return std::nullopt;
  return next <= bounds.minimum ? bounds.minimum : static_cast<std::int64_t>(next);
}

CharAction ClassifyTypedChar(char16_t ch, bool printable, bool allowNegative,
                             std::uint32_t selectionStart, std::uint32_t selectionEnd,
                             const std::u16string& text) {
  if (!printable) return CharAction::PassOn;
  if (IsDigit(ch)) return CharAction::Accept;
  if (ch != u'-' || !allowNegative) return CharAction::Beep;
  const bool replacesOrStartsSign =
      selectionStart == 0 && (text.empty() || text.front() != u'-' || selectionEnd > 0);
  return replacesOrStartsSign ? CharAction::Accept : CharAction::Beep;
}

std::u16string FormatNumber(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}
