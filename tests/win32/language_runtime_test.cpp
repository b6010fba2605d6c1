// The core's reading of language files against the C runtime's own "r,ccs=UTF-8" stream.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "localisation/language_file.h"

namespace {

using Lines = std::vector<std::u16string>;

// What fgetws into 255 units yields, read after read; nothing when the file does not open.
std::optional<Lines> RuntimeLines(const std::string& bytes) {
  const wchar_t* path = L"P:\\runtime.lng";
  const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);

  FILE* stream = nullptr;
  if (_wfopen_s(&stream, path, L"r,ccs=UTF-8") != 0 || !stream) return std::nullopt;
  Lines lines;
  wchar_t buffer[255];
  while (fgetws(buffer, 255, stream)) lines.emplace_back(reinterpret_cast<const char16_t*>(buffer));
  fclose(stream);
  return lines;
}

std::string Utf8(char32_t code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

std::vector<std::string> Corpus() {
  std::vector<std::string> corpus = {
      "",
      "<utf-8 encoding>\nLangID English\n201 Wake all drives\n",
      "\xEF\xBB\xBF<utf-8 encoding>\r\nLangID English\r\n",
      std::string("\xFF\xFE<\0u\0\r\0\n\0a\0\n\0", 14),
      std::string(300, 'x') + "\nafter",
      std::string(254, 'y') + "\n",
      std::string(253, 'z') + Utf8(0x1F600) + "tail\n",
      std::string(252, 'w') + Utf8(0x20AC) + Utf8(0x20AC) + "\n",
      "a\r\r\nb\rc\n\r",
      "a\x80z\n\xC0\xAF\n\xED\xA0\x80!\n\xE2\x82\n\xF0\x9F",
      "before\x1A"
      "after\n",
      std::string("<utf-8 encoding>\0junk\nLangID Eng\0lish\n201 a\0b\n", 46),
  };
  std::mt19937 random(4242);
  const char32_t alphabet[] = {U'a',      U'Z',          U'0',          U' ',      U'\t',
                               U'\\',     U'\u00E9',     U'\u00DF',     U'\u0436', U'\u65E5',
                               U'\u20AC', U'\U0001F600', U'\U00010348', U'\0'};
  for (int i = 0; i < 300; ++i) {
    std::string file;
    const int kind = i % 6;
    if (kind == 1) file = "\xEF\xBB\xBF";
    const int lines = 1 + random() % 6;
    for (int l = 0; l < lines; ++l) {
      const int length = kind == 2 ? 240 + random() % 30 : random() % 80;
      for (int c = 0; c < length; ++c) {
        if (kind == 3 && random() % 17 == 0) {
          file += static_cast<char>(0x80 + random() % 0x80);  // invalid bytes
        } else {
          file += Utf8(alphabet[random() % std::size(alphabet)]);
        }
      }
      switch (random() % 4) {
        case 0:
          file += "\r\n";
          break;
        case 1:
          file += "\n";
          break;
        case 2:
          file += "\r";
          break;
        default:
          file += "\n\r\n";
          break;
      }
    }
    if (kind == 4) file.pop_back();
    file += "end\n";  // see InvalidBytesAtTheEndOfTheFile
    corpus.push_back(file);
  }
  return corpus;
}

TEST(LanguageRuntime, CoreReadsTheSameLinesAsTheRuntime) {
  int index = 0;
  for (const std::string& bytes : Corpus()) {
    EXPECT_EQ(ReadLanguageLines(bytes), RuntimeLines(bytes)) << "file " << index;
    ++index;
  }
  DeleteFileW(L"P:\\runtime.lng");
}

// Where the rules and this runtime part, the rules hold.
TEST(LanguageRuntime, KnownDifferences) {
  // The big-endian mark: the runtime reads on as UTF-8; the rules refuse the file.
  const std::string bigEndian("\xFE\xFF\0a\0\n", 6);
  EXPECT_EQ(ReadLanguageLines(bigEndian), std::nullopt);
  EXPECT_NE(RuntimeLines(bigEndian), std::nullopt);

  // A lead byte that needs more bytes than the file has left swallows them in the runtime; the
  // core never drops the rest of a line.
  EXPECT_EQ(RuntimeLines("a\xE2z"), (Lines{u"a\uFFFD"}));
  EXPECT_EQ(ReadLanguageLines("a\xE2z"), (Lines{u"a\uFFFDz"}));
}

TEST(LanguageRuntime, StringIdsMatchTheRuntimesConversion) {
  for (const wchar_t* text : {L"201", L"  +7x", L"\t-2", L"abc", L"", L"99999999999",
                              L"-99999999999", L"2147483648", L"-2147483648", L"4294967295",
                              L"\u00A0"
                              L"201",
                              L"\u1680\u2000\u200A"
                              L"5",
                              L"\u2028\u2029\u202F\u205F\u3000"
                              L"6",
                              L"\u0085"
                              L"7",
                              L"\u200B"
                              L"8",
                              L"\uFEFF"
                              L"9"}) {
    EXPECT_EQ(ParseStringId(reinterpret_cast<const char16_t*>(text)),
              static_cast<std::uint32_t>(_wtoi(text)))
        << static_cast<const void*>(text);
  }
}

}  // namespace
