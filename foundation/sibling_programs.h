// What this program knows of its sibling programs: their version words, checked and shortened
// for the system-information report, and the installer's note in the sibling's install folder.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace vek {

// Empty when value has at least 2 characters. Otherwise the message for the user: the version
// word name is too short and the program must be aborted.
std::string VersionStringProblem(const std::string& name, const std::string& value);

// The built-in version words of the sibling programs (ASCII).
struct SiblingVersionWords {
  std::string qibHigh = "08";  // "P_QIBHiVer"
  std::string qibLow = "63";   // "P_QIBLoVer"
  std::string quvHigh = "05";  // "P_QuvHiVer"
  std::string quvLow = "20";   // "P_QuvLoVer"
};

struct SiblingVersions {
  std::string qibHigh;  // 2 characters
  std::string qibLow;   // 2 characters
  std::string quvHigh;  // a leading '0' dropped: "05" -> "5"
  std::string quvLow;
  bool ok = false;    // false: a word failed its check; the texts are empty
  std::string error;  // when not ok, the message of the word that failed (the program's words
                      // in English, whatever the user's language)
};

// Checks the four words in the order above, stopping at the first that fails, and shortens
// them for display.
SiblingVersions LoadSiblingVersions(const SiblingVersionWords& words = {});

// The sibling program's install folder under the user's data folder ($XDG_DATA_HOME, by default
// ~/.local/share): dataHome / "Al Tovarelin".
std::filesystem::path SiblingInstallFolder(const std::filesystem::path& dataHome);

// Lines 2, 4 and 5 of the installer's note; lines 1 and 3 are not used.
struct SiblingInstallNote {
  std::string line2;
  std::string line4;
  std::string line5;
};

// The largest installer's note that is read; its five lines are short.
inline constexpr std::size_t kMaxInstallNoteBytes = 64 * 1024;

// Reads "QuvInstall.DTA" (any letter case) in folder into note. Lines end in CR LF or LF; lines
// missing from a short file read as empty. When the file is missing or unreadable, or is no
// regular file of at most kMaxInstallNoteBytes, note is left as it is.
void FindSiblingInstallDir(const std::filesystem::path& folder, SiblingInstallNote& note);

}  // namespace vek
