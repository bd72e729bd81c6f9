#include "liveupdate/live_update_files.h"

#include "foundation/program_folder.h"

namespace vek {

std::string PackageNameOf(std::string_view version) {
  std::string digits;
  for (const char c : version) {
    if (c != '.')
      digits += c;
  }
  if (!digits.empty() && digits.front() == '0')
    digits.erase(0, 1);
  return std::string(kPackagePrefix) + digits + ".EXE";
}

std::filesystem::path LiveUpdateFolder(const std::filesystem::path& programFolder) {
  return FindFileIgnoringCase(programFolder, std::string(kLiveUpdateFolderName));
}

}  // namespace vek
