// Live Update downloads: any bytes as a downloaded file of each name the program reads (the first
// byte picks the name, the next four give the listed size, little-endian; 0xFFFFFFFF: none). The
// check says why a file is refused; a file that it lets through reads with the program's own
// reader (a location file without a conversion, every location as the dialogs allow it; a sound
// archive's wave no larger than listed); nothing is written beside the file.
#include <filesystem>
#include <iterator>

#include "foundation/ini_file.h"
#include "foundation/save_lock.h"
#include "foundation/zip_entry.h"
#include "fuzz/fuzz_support.h"
#include "liveupdate/download_check.h"
#include "liveupdate/listing_record.h"
#include "locations/location_fields.h"
#include "locations/location_file.h"
#include "program/settings.h"
#include "sounds/sound_files.h"

namespace vek::fuzz {
namespace {

constexpr const char* kNames[] = {"VEK.LOC",      "VEK.INI",      "IGNORE.REC",
                                  "vekdirs.dwn",  "go-aleppo.z",  "S30.ZIP",
                                  "WENQ140A.ZIP", "WENQ140A.BMP", "zuzuz623.exe"};

// The files of the folder but its save lock (the conversion of an old location file takes it).
std::size_t FilesIn(const std::filesystem::path& folder) {
  std::size_t files = 0;
  for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder))
    files += entry.path().filename() != kSaveLockFileName ? 1 : 0;
  return files;
}

}  // namespace
}  // namespace vek::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  namespace fs = std::filesystem;
  if (size < 5)
    return 0;
  const std::string name = kNames[data[0] % std::size(kNames)];
  std::uint32_t listed = 0;
  for (int i = 0; i < 4; ++i)
    listed |= static_cast<std::uint32_t>(data[1 + i]) << (8 * i);
  const std::int64_t listedSize = listed == 0xFFFFFFFFu ? -1 : std::int64_t{listed};
  const fs::path folder = ScratchFolder() / "download";
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder, ec);
  const fs::path file = folder / "download.tovarelin";
  WriteInput(file, AsText(data + 5, size - 5));

  const TDownloadCheck check =
      CheckDownloadedFile(file, name, {.clockFaces = {"WENQ140A"}}, listedSize);
  Check(FilesIn(folder) == 1, "nothing is written beside the download");
  if (!check.reads) {
    Check(!check.english.empty() && !check.arabic.empty(), "a refusal says why in both languages");
    return 0;
  }
  switch (ReaderOfDownloadedFile(name, {"WENQ140A"})) {
    case TDownloadReader::LocationFile: {
      fs::rename(file, folder / kLocationFileName, ec);
      TLocations list;
      const LocationFileResult read = fnReadLocations(list, {folder});
      Check(read.ok, "a location file let through reads at the start");
      Check(read.noticeEnglish.empty(), "a location file let through is read without a conversion");
      for (int i = 0; i < list.Count(); ++i) {
        const LocationRecBytes bytes = list.GetItem(i).WriteTo();
        Check(!CheckLocationRec(bytes), "every location let through is one the dialogs allow");
      }
      break;
    }
    case TDownloadReader::SettingsFile: {
      const IniFile ini(file);
      Check(ini.SectionExists(kIniMainSection), "settings let through hold the main section");
      break;
    }
    case TDownloadReader::ListingFile: {
      std::string bytes;
      int e = 0;
      RecordFileError error = ReadRecordFile(file, bytes, e);
      DecodeListing(bytes, error);
      Check(error == RecordFileError::None, "a listing let through reads");
      break;
    }
    case TDownloadReader::SoundArchive:
      Check(ExtractZipEntry(file, name == "S30.ZIP" ? "S30.WAV" : "ALEPPO.WAV", folder / "out.wav",
                            listedSize < 0 ? kMaxWaveBytes : static_cast<std::uint64_t>(listedSize))
                .ok(),
            "a sound archive let through unpacks, no larger than listed");
      break;
    default:
      break;
  }
  return 0;
}
