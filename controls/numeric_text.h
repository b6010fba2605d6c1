// The arithmetic of the numeric edit control. Platform-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct NumberBounds {
  std::int64_t minimum;
  std::int64_t maximum;
  bool allowNegative;
};

// Cleans a text for committing: an optional leading '-', ',' read as '.', the fraction cut off,
// leading zeros dropped; anything that is then not all digits becomes "0".
std::u16string CleanNumberText(std::u16string text);

// Reads a leading signed base-10 number as wcstoll does: leading white space, an optional sign,
// digits up to the first non-digit; 0 without digits; saturates at the 64-bit limits.
std::int64_t ParseLeadingNumber(const std::u16string& text);

// Raises to the minimum or lowers to the maximum, then drops a sign that is not allowed.
std::int64_t ClampNumber(std::int64_t value, const NumberBounds& bounds);

// Clean, parse and clamp: the value a text commits to.
std::int64_t CommitNumberText(const std::u16string& text, const NumberBounds& bounds);

// One step up (positive step) or down (negative step) within the bounds; nothing when the value
// is already at the bound in that direction.
std::optional<std::int64_t> StepNumber(std::int64_t value, std::int64_t step,
                                       const NumberBounds& bounds);

enum class CharAction { PassOn, Beep, Accept };

// What the control does with a typed character. `printable` is the C library's iswprint of it;
// the selection and text decide whether a minus sign may replace or start the sign.
CharAction ClassifyTypedChar(char16_t ch, bool printable, bool allowNegative,
                             std::uint32_t selectionStart, std::uint32_t selectionEnd,
                             const std::u16string& text);

// "%lld".
std::u16string FormatNumber(std::int64_t value);
