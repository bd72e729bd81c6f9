#include "liveupdate/live_update_files.h"

#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "sounds/sound_files.h"

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

int RemoveStaleDownloads(const std::filesystem::path& programFolder,
                         std::chrono::system_clock::time_point now) {
  const auto isDownload = [](std::string_view name) {
    return name.size() > kDownloadSuffix.size() && name.ends_with(kDownloadSuffix);
  };
  constexpr std::chrono::minutes kAge(10);
  int removed = 0;
  for (const std::filesystem::path& folder : {programFolder, LiveUpdateFolder(programFolder)})
    removed += RemoveStaleTemporaryFiles(folder, now, kAge, isDownload);
  removed += RemoveStaleTemporaryFiles(
      FindFileIgnoringCase(programFolder, std::string(kDownloadedFilesFolder)), now, kAge);
  return removed;
}

std::filesystem::path LiveUpdateFolder(const std::filesystem::path& programFolder) {
  return FindFileIgnoringCase(programFolder, std::string(kLiveUpdateFolderName));
}

}  // namespace vek
