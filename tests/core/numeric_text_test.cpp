#include <gtest/gtest.h>

#include <limits>

#include "controls/numeric_text.h"

namespace {

constexpr NumberBounds kInterval{1, 15, false};
constexpr NumberBounds kUnbounded{std::numeric_limits<std::int64_t>::min(),
                                  std::numeric_limits<std::int64_t>::max(), true};

TEST(NumericText, Cleaning) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"", u"0"},    {u"007", u"7"}, {u"-0", u"0"},  {u"12.9", u"12"}, {u"12,9", u"12"},
      {u"abc", u"0"}, {u"1 2", u"0"}, {u"-5", u"-5"}, {u"000", u"0"},   {u"-007.5", u"-7"},
      {u"--5", u"0"}, {u".5", u"0"},  {u"5-", u"0"},  {u"-", u"0"},     {u"1.2.3", u"1"}};
  for (const auto& [text, cleaned] : cases)
    EXPECT_EQ(CleanNumberText(text), cleaned) << std::string(text.begin(), text.end());
}

TEST(NumericText, CommitClampsAndSaturates) {
  EXPECT_EQ(CommitNumberText(u"007", kUnbounded), 7);
  EXPECT_EQ(CommitNumberText(u"-5", kUnbounded), -5);
  EXPECT_EQ(CommitNumberText(u"99999999999999999999", kUnbounded),
            std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(CommitNumberText(u"-99999999999999999999", kUnbounded),
            std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(CommitNumberText(u"-9223372036854775808", kUnbounded),
            std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(CommitNumberText(u"9223372036854775807", kUnbounded),
            std::numeric_limits<std::int64_t>::max());

  EXPECT_EQ(CommitNumberText(u"99", kInterval), 15);
  EXPECT_EQ(CommitNumberText(u"-7", kInterval), 1);  // clamped before the sign matters
  EXPECT_EQ(CommitNumberText(u"abc", kInterval), 1);
  EXPECT_EQ(CommitNumberText(u"12,9", kInterval), 12);
  // Without negatives and without a lower bound, the sign is dropped after clamping.
  EXPECT_EQ(CommitNumberText(u"-5", NumberBounds{kUnbounded.minimum, kUnbounded.maximum, false}),
            5);
}

TEST(NumericText, ParseLeadingNumberStopsAtTheFirstNonDigit) {
  EXPECT_EQ(ParseLeadingNumber(u"12a3"), 12);
  EXPECT_EQ(ParseLeadingNumber(u"  +42"), 42);
  EXPECT_EQ(ParseLeadingNumber(u"-"), 0);
  EXPECT_EQ(ParseLeadingNumber(u"x1"), 0);
}

TEST(NumericText, SteppingStopsAtTheBounds) {
  EXPECT_EQ(StepNumber(15, 1, kInterval), std::nullopt);
  EXPECT_EQ(StepNumber(1, -1, kInterval), std::nullopt);
  EXPECT_EQ(StepNumber(12, 5, kInterval), 15);
  EXPECT_EQ(StepNumber(3, -5, kInterval), 1);
  EXPECT_EQ(StepNumber(12, 1, kInterval), 13);
  EXPECT_EQ(StepNumber(40, -1, kInterval), 39);  // above the bounds until the next commit
  EXPECT_EQ(StepNumber(kUnbounded.maximum - 1, 5, kUnbounded), kUnbounded.maximum);
  EXPECT_EQ(StepNumber(kUnbounded.minimum + 1, -5, kUnbounded), kUnbounded.minimum);
}

TEST(NumericText, TypedCharacters) {
  EXPECT_EQ(ClassifyTypedChar(u'7', true, false, 0, 0, u""), CharAction::Accept);
  for (char16_t ch : {u'a', u' ', u',', u'.', u'-'})
    EXPECT_EQ(ClassifyTypedChar(ch, true, false, 0, 0, u"12"), CharAction::Beep) << char(ch);
  EXPECT_EQ(ClassifyTypedChar(0x16, false, false, 0, 0, u""), CharAction::PassOn);  // Ctrl+V

  // With negatives, a minus starts or replaces the sign only.
  EXPECT_EQ(ClassifyTypedChar(u'-', true, true, 0, 0, u"12"), CharAction::Accept);
  EXPECT_EQ(ClassifyTypedChar(u'-', true, true, 1, 1, u"12"), CharAction::Beep);
  EXPECT_EQ(ClassifyTypedChar(u'-', true, true, 0, 0, u"-12"), CharAction::Beep);
  EXPECT_EQ(ClassifyTypedChar(u'-', true, true, 0, 1, u"-12"), CharAction::Accept);
}

}  // namespace
