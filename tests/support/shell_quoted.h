// Text quoted for a command line the tests run through the shell.
#pragma once

#include <string>

namespace vek::testing {

// text in single quotes for the shell, its own single quotes kept.
inline std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace vek::testing
