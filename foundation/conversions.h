// Small text conversions used throughout the program: digit filtering, thousands separators,
// padded numbers and the settings file's booleans. Texts are UTF-8; only ASCII is interpreted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

// The text without its leading and trailing blanks (the space and the control characters).
std::string_view Trim(std::string_view text);

// "0" for an empty text; otherwise only the characters '0' to '9', in order. A text without
// any digit gives an empty result.
std::string DigitsOnly(std::string_view text);

// The number that the digits of text spell (as DigitsOnly keeps them): 0 when there is no
// digit, and the largest int64 when the digits spell a larger number. Never throws.
std::int64_t DigitsToNumber(std::string_view text);

// Trims blanks and puts ',' between every three characters left of the first '.' (or of the
// end): "1234567" -> "1,234,567", "1234.5" -> "1,234.5". A leading sign stays in front:
// "-1234" -> "-1,234", "-123" -> "-123".
std::string AddThousandsSeparators(std::string_view text);
// A whole number with ',' between every three digits: 70000 -> "70,000".
std::string ThousandsOf(std::int64_t n);

// n copies of c.
std::string RepeatChar(char c, std::size_t n);

// n in decimal, with a '0' in front when that has one character: 7 -> "07", 123 -> "123".
std::string TwoDigitStr(int n);

// The trimmed text read as a decimal integer (0 when it is not one), written by TwoDigitStr.
std::string NormalizeNumberString(std::string_view text);

// The settings file's booleans: after trimming and upper-casing, false only for "F" and
// "FALSE"; everything else, an empty value included, is true.
bool IniStrToBool(std::string_view text);

// "True" or "False".
std::string BoolToIniStr(bool b);

}  // namespace vek
