// Putting the wave files where the sound logic expects them, and unpacking sound archives.
//
// Sound files reach the program folder in several ways: the installation, Live Update (which
// downloads them as ".Z" or ".ZIP" archives), and files the user copied under older names. At
// start-up the main window, in this order,
//   1. BringSoundArchivesHome: moves the archives left in the sound folders to the program folder;
//   2. CopyDesktopArchives: copies the ".Z" archives of the desktop there;
//   3. InstallFoundArchives: unpacks the adhan and recitation archives and keeps each one in
//      "DOWNLOADED FILES";
//   4. ScanSoundFiles: adhans and other sounds go to SOUNDS, recitations to SOUNDS/SURAS as
//      "S" + sura number + ".WAV" (0 is the opening formula, 115 the closing one);
//   5. PresentAzhanFiles: which adhan recordings exist.
// Every name is found ignoring case; the files the program makes get upper-case names. Moves
// replace an existing target through SafeRenameFile, copies keep the file date. A missing source
// is no error.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/language.h"
#include "foundation/system_services.h"

namespace vek {

// The folders under the program folder.
inline constexpr const char* kSoundsFolder = "SOUNDS";
inline constexpr const char* kSurasFolder = "SURAS";  // inside SOUNDS
inline constexpr const char* kDownloadedFilesFolder = "DOWNLOADED FILES";

// The recitations are numbered 0 (the opening formula) to 115 (the closing one).
inline constexpr int kLastSura = 115;
// The largest sound an archive may unpack: about 50 minutes of CD-quality wave data, and many
// hours of the compressed recordings the program's own archives carry. A larger entry is refused
// before anything is written, so that a small archive cannot fill the disk.
inline constexpr std::uint64_t kMaxWaveBytes = std::uint64_t{512} << 20;

// The name of recitation number n (0..115): "S" + n + extension, without leading zeros.
std::string SuraFileName(int n, std::string_view extension);

// Creates SOUNDS and SOUNDS/SURAS, then moves every wave file of the program folder into SOUNDS,
// the recitations of SOUNDS into SOUNDS/SURAS, and the recitations stored under older names
// ("TAAWUZ", "SADAQA", "30-16-19", "MAOON" and the sura names of 107..114) to their numbered
// names. TAAWUZ.WAV and SADAQA.WAV are copied, not moved, and only when no S0.WAV (S115.WAV) is
// in SOUNDS or SOUNDS/SURAS yet, so that a recitation already installed is never replaced.
void ScanSoundFiles(const std::filesystem::path& programFolder, SystemServices& sys);

// Unpacks stem + ".WAV" from its archive in folder: stem + ".ZIP" when there is one (prefix "",
// extension "ZIP"), else "GO-" + stem + ".Z" (prefix "GO-", extension "Z"). Only that entry is
// extracted, and always to folder/stem.WAV. A stem.WAV already there is kept as stem.TMPZIP
// meanwhile: removed when the new file is in place, given its name back when the unpacking
// fails. Answers true when the archive was unpacked. No archive: false, nothing shown. Any other
// failure: false, and a message in lang names the archive and the cause: an entry too large to
// be a sound (more than 512 MiB, with its name and size), an entry larger than the free space of
// the folder's disk (sys.fs tells it; checked before anything is written), a wave file that could
// not be written (with the system's reason), else a damaged archive or one without the entry.
bool InstallSoundArchive(const std::filesystem::path& folder, const std::string& stem,
                         std::string& prefix, std::string& extension, SystemServices& sys,
                         Language lang);

// The stem of the wave file that the start-up unpacks from an archive of that name in the
// program folder (InstallFoundArchives): an adhan's or a recitation's, under "GO-" + stem + ".Z"
// or stem + ".ZIP" ("GO-ALEPPO.Z" and "S30.ZIP" give "ALEPPO" and "S30"; "GO-AZHM1.Z", the first
// adhan's archive under its older name, gives "AZHAN_M1"). Empty for any other name. Case is
// ignored; the stem is upper case.
std::string SoundArchiveStem(std::string_view archiveName);

// Moves the recitation archives "S<n>.ZIP" (n = 0..115) of SOUNDS and SOUNDS/SURAS to the
// program folder, names GO-AZHM1.Z (the first adhan's archive under an older name) GO-AZHAN_M1.Z
// in the program folder and in SOUNDS, and moves every ".Z" archive of SOUNDS and then of
// SOUNDS/SURAS to the program folder. Targets get upper-case names.
void BringSoundArchivesHome(const std::filesystem::path& programFolder, SystemServices& sys);

// Copies every ".Z" archive of desktopFolder to the program folder under its upper-case name
// (replacing a copy there) and, when any was copied, says so in lang. Answers the desktop paths
// of the copied files, in name order. An empty desktopFolder (none found) does nothing.
std::vector<std::filesystem::path> CopyDesktopArchives(const std::filesystem::path& programFolder,
                                                       const std::filesystem::path& desktopFolder,
                                                       SystemServices& sys, Language lang);

// Installs the archives of the eight adhans from the program folder, then of the recitations
// S0..S115 from the program folder and from SOUNDS; each installed archive is moved to
// "DOWNLOADED FILES". When any was installed and kept, the list is shown in lang; when desktop
// archives were copied (copiedDesktopFiles), it is asked whether to delete them, and yes
// deletes them. An archive that was not installed, or could not be moved, stays and is not
// listed.
void InstallFoundArchives(const std::filesystem::path& programFolder,
                          const std::vector<std::filesystem::path>& copiedDesktopFiles,
                          SystemServices& sys, Language lang);

// For each of the eight AzhanFiles: whether it is a file in SOUNDS or in the program folder.
std::array<bool, 8> PresentAzhanFiles(const std::filesystem::path& programFolder);

}  // namespace vek
