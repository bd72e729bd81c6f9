// Small text helpers shared by the core: ASCII-only case handling and letters, cutting and
// flattening.
#pragma once

#include <string>
#include <string_view>

namespace vek {

// The byte with an ASCII letter turned into upper or lower case; every other byte is kept.
constexpr char AsciiUpperChar(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char AsciiLowerChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// An ASCII letter or digit.
constexpr bool IsAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Upper- or lower-cases ASCII letters only; every other byte (UTF-8 sequences included) is kept.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

// Compares two texts ignoring the case of ASCII letters: negative, zero or positive.
int CompareAsciiNoCase(std::string_view a, std::string_view b);

// Cuts a UTF-8 text to at most maxChars code points.
std::string TruncateCodePoints(std::string_view utf8, std::size_t maxChars);

// Every CR and LF becomes a space, then the leading spaces are removed.
std::string FlattenLines(std::string_view text);

}  // namespace vek
