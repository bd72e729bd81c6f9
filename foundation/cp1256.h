// Conversion between UTF-8 (the program's text in memory) and the Windows Arabic code page 1256,
// the single-byte encoding of every stored file (VEK.LOC, VEK.INI, exported timetables).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vek {

// Every byte of code page 1256 has a character, so decoding never fails.
std::string Cp1256ToUtf8(std::string_view bytes);

// Encodes UTF-8 text; nothing when the text is not valid UTF-8 or holds a character that the
// code page has no byte for.
std::optional<std::string> Utf8ToCp1256(std::string_view utf8);

// Encodes UTF-8 text, writing '?' for every character (or malformed byte) without a byte.
std::string Utf8ToCp1256Lossy(std::string_view utf8);

// True when Utf8ToCp1256 would succeed.
bool FitsCp1256(std::string_view utf8);

}  // namespace vek
