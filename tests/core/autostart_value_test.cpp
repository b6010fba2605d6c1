#include <gtest/gtest.h>

#include <vector>

#include "settings/autostart_value.h"

namespace {

std::vector<unsigned char> Utf16(const std::u16string& text, bool terminated) {
  std::vector<unsigned char> bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
    bytes.push_back(static_cast<unsigned char>(unit >> 8));
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

TEST(IsWellFormedRunValue, StringTypesWithTerminatorOrEmpty) {
  const auto path = Utf16(u"C:\\Tools\\qvs_x64.exe", true);
  EXPECT_TRUE(IsWellFormedRunValue(kRegSz, path.data(), path.size()));
  EXPECT_TRUE(IsWellFormedRunValue(kRegExpandSz, path.data(), path.size()));
  EXPECT_TRUE(IsWellFormedRunValue(kRegSz, nullptr, 0));

  EXPECT_FALSE(IsWellFormedRunValue(7, path.data(), path.size()));  // REG_MULTI_SZ
  EXPECT_FALSE(IsWellFormedRunValue(4, path.data(), 4));            // REG_DWORD
  EXPECT_FALSE(IsWellFormedRunValue(kRegSz, path.data(), path.size() - 1));
  const auto unterminated = Utf16(u"C:\\x.exe", false);
  EXPECT_FALSE(IsWellFormedRunValue(kRegSz, unterminated.data(), unterminated.size()));
  // A final unit of 0x0100 has one zero byte only.
  const auto highByte = Utf16(u"\u0100", false);
  EXPECT_FALSE(IsWellFormedRunValue(kRegSz, highByte.data(), highByte.size()));
}

}  // namespace
