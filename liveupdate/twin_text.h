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

}  // namespace vek
