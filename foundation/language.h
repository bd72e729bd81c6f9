// The user's language: one byte, 1 Arabic, 0 English, and the one rule that picks a text by it.
#pragma once

#include <cstdint>
#include <string>

namespace vek {

enum class Language : std::uint8_t { English = 0, Arabic = 1 };

// The text of the language: arabic for Arabic, english otherwise.
constexpr const char* ByLanguage(Language lang, const char* english, const char* arabic) {
  return lang == Language::Arabic ? arabic : english;
}
inline const std::string& ByLanguage(Language lang, const std::string& english,
                                     const std::string& arabic) {
  return lang == Language::Arabic ? arabic : english;
}

}  // namespace vek
