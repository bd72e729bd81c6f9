#include "foundation/text.h"

#include <algorithm>

namespace vek {

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), AsciiUpperChar);
  return out;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), AsciiLowerChar);
  return out;
}

int CompareAsciiNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(AsciiUpperChar(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiUpperChar(b[i]));
    if (ca != cb)
      return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string TruncateCodePoints(std::string_view utf8, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    // A code point starts at every byte that is not a continuation byte (10xxxxxx).
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      if (chars == maxChars)
        return std::string(utf8.substr(0, i));
      ++chars;
    }
  }
  return std::string(utf8);
}

std::string FlattenLines(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n')
      c = ' ';
  }
  line.erase(0, line.find_first_not_of(' '));
  return line;
}

}  // namespace vek
