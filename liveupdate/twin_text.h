// A text in both languages, as the Live Update dialog keeps its labels and the reasons of its
// failures: it shows the one of its language, and the other after a switch.
#pragma once

#include <string>

#include "foundation/language.h"

namespace vek {

struct TTwinText {
  std::string english;
  std::string arabic;
  const std::string& In(Language language) const { return ByLanguage(language, english, arabic); }
};

// The two texts, each followed by its twin of more.
inline TTwinText operator+(TTwinText text, const TTwinText& more) {
  text.english += more.english;
  text.arabic += more.arabic;
  return text;
}

// A path or a host name, which reads left to right in either language: in the Arabic text it is
// isolated (U+2066 ... U+2069), so that a right-to-left line shows its slashes and dots where
// they are.
inline TTwinText LeftToRight(const std::string& text) {
  return {text, "\u2066" + text + "\u2069"};
}

}  // namespace vek
