#include "foundation/sibling_programs.h"

#include <array>
#include <string_view>
#include <utility>

#include "foundation/file_io.h"
#include "foundation/program_folder.h"

namespace vek {

std::string VersionStringProblem(const std::string& name, const std::string& value) {
  if (value.size() >= 2)
    return {};
  return ("ERROR in HVersion\nthe length of " + name + "\n" + "is " + std::to_string(value.size()) +
          "\n" + "It should be at least 2 characters long" + "\n" + name + "=<" + value + ">" +
          "\n\n" + "You must abort the program");
}

SiblingVersions LoadSiblingVersions(const SiblingVersionWords& words) {
  SiblingVersions versions;
  const std::pair<const char*, const std::string*> checked[] = {{"P_QIBHiVer", &words.qibHigh},
                                                                {"P_QIBLoVer", &words.qibLow},
                                                                {"P_QuvHiVer", &words.quvHigh},
                                                                {"P_QuvLoVer", &words.quvLow}};
  for (const auto& [name, value] : checked) {
    versions.error = VersionStringProblem(name, *value);
    if (!versions.error.empty())
      return versions;
  }
  versions.qibHigh = words.qibHigh.substr(0, 2);
  versions.qibLow = words.qibLow.substr(0, 2);
  versions.quvHigh = words.quvHigh[0] == '0' ? words.quvHigh.substr(1, 1) : words.quvHigh;
  versions.quvLow = words.quvLow;
  versions.ok = true;
  return versions;
}

std::filesystem::path SiblingInstallFolder(const std::filesystem::path& dataHome) {
  return dataHome / "Al Tovarelin";
}

void FindSiblingInstallDir(const std::filesystem::path& folder, SiblingInstallNote& note) {
  // The note lies in the user's data folder: anything but a small regular file counts as
  // missing, and nothing there holds the program up.
  std::string text;
  if (!ReadRegularFile(FindFileIgnoringCase(folder, "QuvInstall.DTA"), kMaxInstallNoteBytes, text)
           .ok())
    return;
  std::array<std::string, 5> lines;
  std::string_view rest = text;
  for (std::string& line : lines) {
    if (rest.empty())
      break;
    const std::size_t end = rest.find('\n');
    std::string_view current = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!current.empty() && current.back() == '\r')
      current.remove_suffix(1);
    line = current;
  }
  note.line2 = lines[1];
  note.line4 = lines[3];
  note.line5 = lines[4];
}

}  // namespace vek
