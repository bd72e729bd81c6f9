#include "liveupdate/download_check.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <tuple>
#include <utility>

#include "foundation/bitmap_file.h"
#include "foundation/conversions.h"
#include "foundation/file_io.h"
#include "foundation/ini_file.h"
#include "foundation/text.h"
#include "foundation/zip_entry.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/live_update_files.h"
#include "locations/location_file.h"
#include "program/settings.h"
#include "sounds/sound_files.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

TDownloadCheck Refused(std::string english, std::string arabic) {
  return {false, std::move(english), std::move(arabic)};
}

TDownloadCheck CheckLocationFile(const fs::path& file) {
  const LocationFileCheck check = CheckLocationFileStrictly(file);
  if (check.ok)
    return {};
  return Refused(check.english, check.arabic);
}

TDownloadCheck CheckSettingsFile(const fs::path& file) {
  IniFile ini;
  if (ini.Load(file) != 0)
    return Refused(ReadRefusalText(ini.LoadResult(), false),
                   ReadRefusalText(ini.LoadResult(), true));
  if (!ini.SectionExists(kIniMainSection)) {
    const std::string section = "[" + std::string(kIniMainSection) + "]";
    return Refused("It is no settings file: it holds no section " + section,
                   "ليس ملف إعدادات: لا يحوي القسم " + section);
  }
  return {};
}

TDownloadCheck RecordFileRefused(RecordFileError error, int e, std::string_view fileName) {
  return Refused(RecordFileErrorText(error, e, std::string(fileName), Language::English),
                 RecordFileErrorText(error, e, std::string(fileName), Language::Arabic));
}

TDownloadCheck CheckRecordFile(const fs::path& file, std::string_view fileName, bool listing) {
  std::string bytes;
  int e = 0;
  RecordFileError error = ReadRecordFile(file, bytes, e);
  if (error == RecordFileError::None) {
    if (listing) {
      DecodeListing(bytes, error);
    } else {
      bool cut = false;
      DecodeIgnoreFile(bytes, cut, error);
      if (error == RecordFileError::None && cut)
        error = RecordFileError::NotWholeRecords;
    }
  }
  if (error != RecordFileError::None)
    return RecordFileRefused(error, e, fileName);
  return {};
}

// The wave file may be no larger than the listing gives for it (listedSize, when known), nor
// than the start-up unpacks: an archive that inflates beyond that is refused before it is kept.
TDownloadCheck CheckSoundArchive(const fs::path& file, std::string_view fileName,
                                 std::int64_t listedSize) {
  const std::string wave = SoundArchiveStem(fileName) + ".WAV";
  const bool listed = listedSize >= 0 && static_cast<std::uint64_t>(listedSize) < kMaxWaveBytes;
  const std::uint64_t limit = listed ? static_cast<std::uint64_t>(listedSize) : kMaxWaveBytes;
  ZipEntryResult read;
  if (ReadZipEntry(file, wave, limit, nullptr, &read))
    return {};
  if (read.status == ZipEntryStatus::TooLarge && listed) {
    const std::string size = ThousandsOf(static_cast<std::int64_t>(read.entrySize));
    const std::string given = ThousandsOf(listedSize);
    return Refused("The file " + read.entryName + " in it is " + size +
                       " bytes, larger than the listing gives (" + given + " bytes)",
                   "الملف " + read.entryName + " فيه حجمه " + size +
                       " بايت، أكبر مما تذكره القائمة (" + given + " بايت)");
  }
  if (read.status == ZipEntryStatus::TooLarge)
    return Refused(ZipEntryTooLargeText(read, Language::English),
                   ZipEntryTooLargeText(read, Language::Arabic));
  return Refused("This is not a valid ZIP file holding " + wave + " whole",
                 "هذا ليس ملف ZIP صالحاً يحوي " + wave + " كاملاً");
}

TDownloadCheck PictureRefused(const std::string& picture) {
  return Refused("It does not give the whole picture " + picture,
                 "لا يعطي الصورة " + picture + " كاملة");
}

TDownloadCheck CheckClockFaceArchive(const fs::path& file, const std::string& face) {
  const std::string picture = face + ".BMP";
  std::string bytes;
  if (ReadZipEntry(file, picture, kMaxPictureBytes, &bytes) && BitmapIsComplete(bytes))
    return {};
  return PictureRefused(picture);
}

TDownloadCheck CheckClockFacePicture(const fs::path& file, const std::string& face) {
  std::string bytes;
  if (ReadRegularFile(file, kMaxPictureBytes, bytes).ok() && BitmapIsComplete(bytes))
    return {};
  return PictureRefused(face + ".BMP");
}

// The face among the names whose picture (extension ".BMP") or archive (".ZIP") the name is.
std::string FaceOf(const std::string& upperName, std::string_view extension,
                   const std::vector<std::string>& faces) {
  for (const std::string& face : faces) {
    if (upperName == AsciiUpper(face) + std::string(extension))
      return AsciiUpper(face);
  }
  return {};
}

// The date, time and number of a dated copy's name (stem-YYYYMMDD-HHMMSS[-n]extension, case
// ignored), in the order of their making; nothing for any other name.
std::optional<std::tuple<std::string, int>> DatedCopyOrder(const std::string& name,
                                                           const std::string& stem,
                                                           const std::string& extension) {
  const std::string upper = AsciiUpper(name);
  const std::string head = AsciiUpper(stem) + "-";
  const std::string tail = AsciiUpper(extension);
  if (upper.size() < head.size() + 15 + tail.size() || !upper.starts_with(head) ||
      !upper.ends_with(tail))
    return std::nullopt;
  const std::string middle = upper.substr(head.size(), upper.size() - head.size() - tail.size());
  const auto digits = [](std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  const std::string_view stamp = std::string_view(middle).substr(0, 15);
  if (!digits(stamp.substr(0, 8)) || stamp[8] != '-' || !digits(stamp.substr(9, 6)))
    return std::nullopt;
  const std::string_view rest = std::string_view(middle).substr(15);
  if (rest.empty())
    return std::tuple{std::string(stamp), 1};
  if (rest.front() != '-' || !digits(rest.substr(1)) || rest.size() > 5)
    return std::nullopt;
  return std::tuple{std::string(stamp), static_cast<int>(DigitsToNumber(rest.substr(1)))};
}

// Deletes the oldest dated copies of file's name in folder beyond the newest kKeptCopies, made
// among them: made stays whatever its stamp (after the clock went back, older copies may bear
// later stamps), and the newest kKeptCopies - 1 of the others stay beside it.
std::vector<fs::path> PruneDatedCopies(const fs::path& file, const fs::path& folder,
                                       const fs::path& made, FileSystem& files) {
  std::vector<std::pair<std::tuple<std::string, int>, fs::path>> copies;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError) || it->path().filename() == made.filename())
      continue;
    const auto order = DatedCopyOrder(it->path().filename().string(), file.stem().string(),
                                      file.extension().string());
    if (order)
      copies.emplace_back(*order, it->path());
  }
  std::sort(copies.begin(), copies.end(), [](const auto& a, const auto& b) {
    return a.first > b.first;  // newest first
  });
  std::vector<fs::path> removed;
  for (std::size_t i = kKeptCopies - 1; i < copies.size(); ++i) {
    if (files.Remove(copies[i].second) == 0)
      removed.push_back(copies[i].second);
  }
  return removed;
}

}  // namespace

TDownloadReader ReaderOfDownloadedFile(std::string_view fileName,
                                       const std::vector<std::string>& clockFaces) {
  const std::string upper = AsciiUpper(fileName);
  if (upper == kLocationFileName)
    return TDownloadReader::LocationFile;
  if (upper == kSettingsFileName)
    return TDownloadReader::SettingsFile;
  if (upper == AsciiUpper(kIgnoreFileName))
    return TDownloadReader::IgnoreFile;
  if (upper == AsciiUpper(kLocalListingName) || upper == AsciiUpper(kDownloadedListingName))
    return TDownloadReader::ListingFile;
  if (!SoundArchiveStem(upper).empty())
    return TDownloadReader::SoundArchive;
  if (!FaceOf(upper, ".ZIP", clockFaces).empty())
    return TDownloadReader::ClockFaceArchive;
  if (!FaceOf(upper, ".BMP", clockFaces).empty())
    return TDownloadReader::ClockFacePicture;
  return TDownloadReader::None;
}

TDownloadCheck CheckDownloadedFile(const fs::path& file, std::string_view fileName,
                                   const TDownloadCheckSetup& setup, std::int64_t listedSize) {
  const std::string upper = AsciiUpper(fileName);
  switch (ReaderOfDownloadedFile(fileName, setup.clockFaces)) {
    case TDownloadReader::None:
      return {};
    case TDownloadReader::LocationFile:
      return CheckLocationFile(file);
    case TDownloadReader::SettingsFile:
      return CheckSettingsFile(file);
    case TDownloadReader::IgnoreFile:
      return CheckRecordFile(file, fileName, false);
    case TDownloadReader::ListingFile:
      return CheckRecordFile(file, fileName, true);
    case TDownloadReader::SoundArchive:
      return CheckSoundArchive(file, fileName, listedSize);
    case TDownloadReader::ClockFaceArchive:
      return CheckClockFaceArchive(file, FaceOf(upper, ".ZIP", setup.clockFaces));
    case TDownloadReader::ClockFacePicture:
      return CheckClockFacePicture(file, FaceOf(upper, ".BMP", setup.clockFaces));
  }
  return {};
}

bool KeptBeforeReplacement(std::string_view fileName) {
  const TDownloadReader reader = ReaderOfDownloadedFile(fileName, {});
  return reader == TDownloadReader::LocationFile || reader == TDownloadReader::SettingsFile;
}

TKeptCopy KeepDatedCopy(const fs::path& file, const fs::path& folder,
                        std::chrono::system_clock::time_point now, FileSystem& files) {
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y%m%d-%H%M%S", &local);
  const std::string stem = file.stem().string() + "-" + date;
  const std::string extension = file.extension().string();
  constexpr int kMostCopiesASecond = 1000;
  for (int n = 1; n <= kMostCopiesASecond; ++n) {
    // Built by appending: GCC 12 at -O3 misreads '"-" + std::string&&' as an overlapping copy.
    std::string name = stem;
    if (n > 1)
      name.append("-").append(std::to_string(n));
    name += extension;
    const fs::path copy = folder / name;
    std::error_code ec;
    if (fs::exists(copy, ec) || ec)
      continue;
    if (const int e = CopyFileReplacing(file, copy, files); e != 0)
      return {{}, e, {}};
    return {copy, 0, PruneDatedCopies(file, folder, copy, files)};
  }
  return {{}, EEXIST, {}};
}

}  // namespace vek
