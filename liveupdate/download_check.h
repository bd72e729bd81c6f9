// What a downloaded file must be before it takes the place of a file that the program itself
// reads: it must read with the program's own reader. A file that does not read never replaces
// anything; the old file stays. The files that hold the user's own data (VEK.LOC, VEK.INI) are
// moreover copied into "DOWNLOADED FILES" under a dated name before a download replaces them.
//
// The readers, by the name the file is to have in the program folder (case ignored):
//  - VEK.LOC: a location file of the current layout, with its version record, whose every
//    location holds only what the location dialogs let a user enter (an older layout, which the
//    start-up converts where it is installed, is refused);
//  - VEK.INI: the settings file, which must hold the program's main section;
//  - IGNORE.REC, VEKDIRS.REC, VEKDIRS.DWN: whole records of the ignore or listing file;
//  - the sound archives that the start-up unpacks ("GO-ALEPPO.Z", "S30.ZIP"...): the archive must
//    hold its wave file whole, as the restarted program unpacks it, and no larger than the
//    listing gives for the wave file;
//  - a clock face's archive N.ZIP and picture N.BMP: a whole bitmap N.BMP.
// Every other file is not the program's to read, and is taken as the server gives it.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace vek {

enum class TDownloadReader {
  None,  // not read by the program
  LocationFile,
  SettingsFile,
  IgnoreFile,
  ListingFile,
  SoundArchive,
  ClockFaceArchive,
  ClockFacePicture,
};

struct TDownloadCheckSetup {
  std::vector<std::string> clockFaces;  // the base names of the face pictures ("WENQ140A")
};

// The reader that a file of that name in the program folder meets.
TDownloadReader ReaderOfDownloadedFile(std::string_view fileName,
                                       const std::vector<std::string>& clockFaces);

struct TDownloadCheck {
  bool reads = true;
  // Why it does not read, as the reader says it, for the log.
  std::string english;
  std::string arabic;
};

// Reads file, the download that is to become fileName in the program folder, with the reader of
// that name. listedSize: the size the listing gives for the item (for a sound archive, the size
// of its wave file); negative when there is none. Nothing is written.
TDownloadCheck CheckDownloadedFile(const std::filesystem::path& file, std::string_view fileName,
                                   const TDownloadCheckSetup& setup, std::int64_t listedSize = -1);

// Whether the file of that name holds the user's own data, kept before a download replaces it.
bool KeptBeforeReplacement(std::string_view fileName);

// The copy of file in folder: its stem + "-" + the date and time of now (local,
// "YYYYMMDD-HHMMSS") + its extension, "-2", "-3"... added when that name is taken, made through a
// temporary file. Empty, with the errno, when it could not be made. Once it is made, the oldest
// dated copies of that name (by the date and time in their names, case ignored) are deleted so
// that the newest kKeptCopies stay, the copy just made always among them (also when the clock went
// back and older copies bear later stamps); removed lists them.
inline constexpr int kKeptCopies = 5;
struct TKeptCopy {
  std::filesystem::path copy;
  int error = 0;
  std::vector<std::filesystem::path> removed;
};
TKeptCopy KeepDatedCopy(const std::filesystem::path& file, const std::filesystem::path& folder,
                        std::chrono::system_clock::time_point now,
                        FileSystem& fs = RealFileSystem());

}  // namespace vek
