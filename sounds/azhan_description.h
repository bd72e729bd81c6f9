// Renaming an adhan recording's description (Sounds > Change Azhan description), without a
// window: the question the input box asks, the check of the typed text and the notice that
// tells where the recording of the renamed description is.
#pragma once

#include <filesystem>
#include <string>

#include "foundation/language.h"
#include "program/settings.h"

namespace vek {

// The input box's title and label for the description `current`.
struct AzhanDescriptionQuestion {
  std::string title;
  std::string label;
};
AzhanDescriptionQuestion AskAzhanDescription(const std::string& current, Language lang);

// What a typed description (already trimmed) does. An unchanged text stores nothing and says
// nothing; a text that code page 1256 cannot hold (VEK.INI keeps its texts in it, and a
// character it has no byte for would be lost) is refused with `refusal`.
struct AzhanDescriptionCheck {
  bool store = false;
  std::string refusal;
};
AzhanDescriptionCheck CheckAzhanDescription(const std::string& typed, const std::string& current,
                                            Language lang);

// The notice after the description of recording `index` (0..6) changed: how the program shows
// it now, the recording's file under programFolder, and the description in the other language.
std::string AzhanDescriptionNotice(int index, const AzhanDescriptionLists& descriptions,
                                   Language lang, const std::filesystem::path& programFolder);

}  // namespace vek
