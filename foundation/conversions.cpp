#include "foundation/conversions.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "foundation/text.h"

namespace vek {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Blanks are the space and the control characters, so that a stray CR or tab is trimmed too.
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::string DigitsOnly(std::string_view text) {
  if (text.empty())
    return "0";
  std::string digits;
  for (char c : text) {
    if (IsDigit(c))
      digits += c;
  }
  return digits;
}

std::int64_t DigitsToNumber(std::string_view text) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c))
      continue;
    const int digit = c - '0';
    if (value > (kMax - digit) / 10)
      return kMax;
    value = value * 10 + digit;
  }
  return value;
}

std::string AddThousandsSeparators(std::string_view text) {
  text = Trim(text);
  std::string sign;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    sign = text.front();
    text.remove_prefix(1);
  }
  const std::size_t point = std::min(text.find('.'), text.size());
  const std::string_view whole = text.substr(0, point);
  std::string out = sign;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0)
      out += ',';
    out += whole[i];
  }
  out += text.substr(point);
  return out;
}

std::string ThousandsOf(std::int64_t n) {
  return AddThousandsSeparators(std::to_string(n));
}

std::string RepeatChar(char c, std::size_t n) {
  return std::string(n, c);
}

std::string TwoDigitStr(int n) {
  std::string text = std::to_string(n);
  if (text.size() == 1)
    text.insert(text.begin(), '0');
  return text;
}

std::string NormalizeNumberString(std::string_view text) {
  text = Trim(text);
  // from_chars takes a '-' but no '+'; "+-5" is no number.
  if (text.size() > 1 && text[0] == '+' && text[1] != '-')
    text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end)
    value = 0;
  return TwoDigitStr(value);
}

bool IniStrToBool(std::string_view text) {
  const std::string value = AsciiUpper(Trim(text));
  if (value.size() == 1)
    return value != "F";
  return value != "FALSE";
}

std::string BoolToIniStr(bool b) {
  return b ? "True" : "False";
}

}  // namespace vek
