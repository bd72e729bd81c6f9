// Small text helpers shared by the core: ASCII-only case handling, cutting and flattening.
#pragma once

#include <string>
#include <string_view>

namespace vek {

// Upper-cases ASCII letters only; every other byte (UTF-8 sequences included) is kept.
std::string AsciiUpper(std::string_view text);

// Compares two texts ignoring the case of ASCII letters: negative, zero or positive.
int CompareAsciiNoCase(std::string_view a, std::string_view b);

// Cuts a UTF-8 text to at most maxChars code points.
std::string TruncateCodePoints(std::string_view utf8, std::size_t maxChars);

// Every CR and LF becomes a space, then the leading spaces are removed.
std::string FlattenLines(std::string_view text);

}  // namespace vek
