#include <gtest/gtest.h>

#include <string>

#include "localisation/language_file.h"

namespace {

using Lines = std::vector<std::u16string>;

const std::string kHeader = "<utf-8 encoding>\nLangID English\n";

StringTable Texts(const std::string& entries) {
  return ParseLanguageFile(kHeader + entries).texts;
}

TEST(LanguageFileEncoding, ByteOrderMarks) {
  EXPECT_EQ(ReadLanguageLines("\xEF\xBB\xBF"
                              "a\nb"),
            (Lines{u"a\n", u"b"}));
  EXPECT_EQ(ReadLanguageLines(std::string("\xFF\xFE"
                                          "a\0\r\0\n\0\xE9\0",
                                          10)),
            (Lines{u"a\n", u"\u00E9"}));
  EXPECT_EQ(ReadLanguageLines("\xFE\xFF\0a"), std::nullopt);
  EXPECT_EQ(ReadLanguageLines("\xC3\xA9t\xC3\xA9"), (Lines{u"\u00E9t\u00E9"}));
  EXPECT_EQ(ReadLanguageLines(""), Lines{});
}

TEST(LanguageFileEncoding, InvalidUtf8BecomesReplacementCharacters) {
  // A stray continuation byte, a truncated sequence, an overlong form, a surrogate.
  EXPECT_EQ(ReadLanguageLines("a\x80z\n"), (Lines{u"a\uFFFDz\n"}));
  EXPECT_EQ(ReadLanguageLines("a\xE2\x82z"), (Lines{u"a\uFFFDz"}));
  EXPECT_EQ(ReadLanguageLines("\xC0\xAF"), (Lines{u"\uFFFD\uFFFD"}));
  // A lead byte takes its first continuation byte along even when the pair is refused.
  EXPECT_EQ(ReadLanguageLines("\xED\xA0\x80!"), (Lines{u"\uFFFD\uFFFD!"}));
  EXPECT_EQ(ReadLanguageLines("\xF0\x80\x80\x80!"), (Lines{u"\uFFFD\uFFFD\uFFFD!"}));
  EXPECT_EQ(ReadLanguageLines("\xF4\x8F\xBF\xBF\xED\x9F\xBF"), (Lines{u"\U0010FFFF\uD7FF"}));
  EXPECT_EQ(ReadLanguageLines("\xF0\x9F\x98\x80\xF0\x9F"), (Lines{u"\U0001F600\uFFFD"}));
}

TEST(LanguageFileLines, LineEndsAndTheReadLimit) {
  EXPECT_EQ(ReadLanguageLines("a\r\nb\rc\n\nd"), (Lines{u"a\n", u"b\rc\n", u"\n", u"d"}));
  const std::string units300(300, 'x');
  const Lines split = *ReadLanguageLines(units300 + "\nnext");
  ASSERT_EQ(split.size(), 3u);
  EXPECT_EQ(split[0].size(), 254u);
  EXPECT_EQ(split[1], std::u16string(46, u'x') + u"\n");
  const Lines exact = *ReadLanguageLines(std::string(254, 'y') + "\n");
  EXPECT_EQ(exact, (Lines{std::u16string(254, u'y'), u"\n"}));
  // A character outside the BMP takes two units; the limit may cut the pair.
  const Lines pair = *ReadLanguageLines(std::string(253, 'z') + "\xF0\x9F\x98\x80");
  EXPECT_EQ(pair.back(), u"\xDE00");
  EXPECT_EQ(TrimLineEnd(u"a \t\r\n\r\n\n"), u"a \t");
}

TEST(LanguageFileHeader, Checks) {
  EXPECT_TRUE(ParseLanguageFile(kHeader).valid);
  EXPECT_TRUE(ParseLanguageFile("<utf-8 encoding>\r\nLangID English\r\n").valid);
  EXPECT_FALSE(ParseLanguageFile("<utf-8 encoding> \nLangID English\n").valid);
  EXPECT_FALSE(ParseLanguageFile("<UTF-8 encoding>\nLangID English\n").valid);
  EXPECT_FALSE(ParseLanguageFile("<utf-8 encoding>\nLangID\tEnglish\n").valid);
  EXPECT_FALSE(ParseLanguageFile("<utf-8 encoding>\n\n").valid);
  EXPECT_FALSE(ParseLanguageFile("<utf-8 encoding>\n").valid);
  EXPECT_FALSE(ParseLanguageFile("<utf-8 encoding>\nlangid x\n").valid);

  const LanguageFile bare = ParseLanguageFile("<utf-8 encoding>\nLangID\n");
  EXPECT_TRUE(bare.valid);
  EXPECT_EQ(bare.languageName, u"");
  EXPECT_EQ(ParseLanguageFile("<utf-8 encoding>\n  LangID  Deutsch extra\n").languageName,
            u"Deutsch");
}

TEST(LanguageFileEntries, TextIsEverythingAfterTheFirstSpace) {
  EXPECT_EQ(Texts("300 Drives\n301 Select drives:\n"),
            (StringTable{{300, u"Drives"}, {301, u"Select drives:"}}));
  EXPECT_EQ(Texts("205 Add\n205 Add...\n"), (StringTable{{205, u"Add..."}}));
  EXPECT_EQ(Texts(" 201 text\n"), (StringTable{{201, u"201 text"}}));
  EXPECT_EQ(Texts("201x y\n"), (StringTable{{201, u"y"}}));
  EXPECT_EQ(Texts("214 \n"), (StringTable{{214, u""}}));
  EXPECT_EQ(Texts("203  two  spaces \n"), (StringTable{{203, u" two  spaces "}}));
  EXPECT_EQ(Texts("nospace\n\n; comment line\n"), (StringTable{{0, u"comment line"}}));
  EXPECT_EQ(Texts("-1 wraps\n"), (StringTable{{0xFFFFFFFFu, u"wraps"}}));
}

TEST(LanguageFileEntries, EscapesWithoutRescanning) {
  EXPECT_EQ(Texts("305 a\\nb\\tc\n").at(305), u"a\nb\tc");
  EXPECT_EQ(Texts("305 a\\\\nb\n").at(305), u"a\\\nb");
  EXPECT_EQ(Texts("305 \\x\\\n").at(305), u"\\x\\");
  EXPECT_EQ(Texts("305 \\\\tt\n").at(305), u"\\\tt");
}

TEST(LanguageFileEntries, StringIds) {
  EXPECT_EQ(ParseStringId(u"201"), 201u);
  EXPECT_EQ(ParseStringId(u"  +7x"), 7u);
  EXPECT_EQ(ParseStringId(u"\t-2"), 0xFFFFFFFEu);
  EXPECT_EQ(ParseStringId(u"abc"), 0u);
  EXPECT_EQ(ParseStringId(u"#128"), 0u);
  EXPECT_EQ(ParseStringId(u""), 0u);
  EXPECT_EQ(ParseStringId(u"99999999999"), 0x7FFFFFFFu);
  EXPECT_EQ(ParseStringId(u"-99999999999"), 0x80000000u);
  // The runtime skips every space iswspace knows, not only ASCII ones.
  EXPECT_EQ(Texts("\xC2\xA0"
                  "201 a\n\xE2\x80\x83"
                  "202 b\n\xE3\x80\x80"
                  "203 c\n"),
            (StringTable{{201, u"a"}, {202, u"b"}, {203, u"c"}}));
}

TEST(LanguageFileLines, EachReadEndsAtItsFirstNul) {
  using namespace std::string_literals;
  const LanguageFile file =
      ParseLanguageFile("<utf-8 encoding>\0junk\nLangID Eng\0lish\n201 a\0b\n"s);
  EXPECT_TRUE(file.valid);
  EXPECT_EQ(file.languageName, u"Eng");
  EXPECT_EQ(file.texts, (StringTable{{201, u"a"}}));
}

TEST(LanguageFileEntries, CtrlZEndsTheData) {
  EXPECT_EQ(Texts("201 a\n\x1A"
                  "202 b\n"),
            (StringTable{{201, u"a"}}));
}

}  // namespace
