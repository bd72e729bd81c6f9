// The names of the Live Update files and the running version that the installer packages are
// named after.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace vek {

// The version of this program, as the package names and the comparison use it.
inline constexpr std::string_view kVekVersion = "6.22";

inline constexpr std::string_view kLiveUpdateFolderName = "LiveUpdate";
inline constexpr std::string_view kListingBaseName = "vekdirs";
inline constexpr std::string_view kLocalListingName = "vekdirs.rec";
inline constexpr std::string_view kDownloadedListingName = "vekdirs.dwn";
inline constexpr std::string_view kIgnoreFileName = "IGNORE.REC";
// A file is downloaded under its final name with this added, and takes the final name only once
// it is whole and reads.
inline constexpr std::string_view kDownloadSuffix = ".tovarelin";
// The folder of the program folder that holds the maintainer's update package.
inline constexpr std::string_view kPackageFolderName = "$trash";
// The beginning of the installer packages' names.
inline constexpr std::string_view kPackagePrefix = "ZUZUZ";

// The installer package of a version: "ZUZUZ" + the version without its dots and without a
// leading '0' + ".EXE"; "6.22" gives "ZUZUZ622.EXE".
std::string PackageNameOf(std::string_view version);

// Removes what a Live Update run killed midway left behind, as the start-up removes the program's
// other stale temporary files (last changed more than ten minutes before now, of this user): the
// downloads under their temporary names ("*.tovarelin") in the program folder and its LiveUpdate
// folder, and the temporary files of a dated copy in "DOWNLOADED FILES". Returns how many.
int RemoveStaleDownloads(const std::filesystem::path& programFolder,
                         std::chrono::system_clock::time_point now);

// The program folder's LiveUpdate folder (an existing folder of that name in any case of
// letters, else the name as written).
std::filesystem::path LiveUpdateFolder(const std::filesystem::path& programFolder);

}  // namespace vek
