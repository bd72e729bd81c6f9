#include "foundation/conversions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace vek {
namespace {

TEST(DigitsOnly, KeepsDigitsAndAnswersZeroForEmptyText) {
  EXPECT_EQ("0", DigitsOnly(""));
  EXPECT_EQ("", DigitsOnly("abc"));
  EXPECT_EQ("1203", DigitsOnly("12-03"));
}

TEST(DigitsToNumber, IsZeroWithoutDigitsAndClampsOverflow) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  const std::pair<const char*, std::int64_t> cases[] = {
      {"", 0},
      {"abc", 0},
      {"1,048,576", 1048576},
      {"12-03", 1203},
      {"9223372036854775807", kMax},
      {"9223372036854775808", kMax},
      {"123456789012345678901234567890", kMax},
  };
  for (const auto& [text, number] : cases)
    EXPECT_EQ(number, DigitsToNumber(text)) << text;
}

TEST(AddThousandsSeparators, GroupsDigitsLeftOfThePoint) {
  const std::pair<const char*, const char*> cases[] = {
      {"123", "123"},        {" 1000 ", "1,000"},      {"1234567", "1,234,567"},
      {"1234.5", "1,234.5"}, {"12.34567", "12.34567"}, {"", ""},
      {"-1234", "-1,234"},   {"-123", "-123"},         {"-123456.78", "-123,456.78"},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(expected, AddThousandsSeparators(text)) << text;
}

TEST(NumberTexts, PadToTwoDigitsAndReadUnreadableAsZero) {
  EXPECT_EQ("07", TwoDigitStr(7));
  EXPECT_EQ("123", TwoDigitStr(123));
  EXPECT_EQ("-5", TwoDigitStr(-5));
  const std::pair<const char*, const char*> cases[] = {
      {" 7 ", "07"}, {"12", "12"}, {"+3", "03"},  {"-3", "-3"},          {"", "00"},
      {"x7", "00"},  {"7x", "00"}, {"+-3", "00"}, {"99999999999", "00"},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(expected, NormalizeNumberString(text)) << text;
  EXPECT_EQ("xxx", RepeatChar('x', 3));
  EXPECT_EQ("", RepeatChar('x', 0));
}

TEST(IniBooleans, OnlyFAndFalseAreFalse) {
  for (const char* text : {"false", " F ", "FALSE", "f", "\tFalse\r"})
    EXPECT_FALSE(IniStrToBool(text)) << text;
  for (const char* text : {"No", "0", "", "T", "FA", "FALSEY", "F F"})
    EXPECT_TRUE(IniStrToBool(text)) << text;
  EXPECT_TRUE(IniStrToBool(BoolToIniStr(true)));
  EXPECT_FALSE(IniStrToBool(BoolToIniStr(false)));
  EXPECT_EQ("True", BoolToIniStr(true));
  EXPECT_EQ("False", BoolToIniStr(false));
}

}  // namespace
}  // namespace vek
