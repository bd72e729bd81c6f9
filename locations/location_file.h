// Reading and saving the location file VEK.LOC: whole 92-byte records, the first being the
// version record; a file of the previous 88-byte layout is converted once on reading.
#pragma once

#include <filesystem>
#include <string>

#include "foundation/language.h"
#include "locations/location_list.h"

namespace vek {

inline constexpr const char* kLocationFileName = "VEK.LOC";
// The largest location file that is read: far beyond any real list (the shipped one has a few
// thousand records of 92 bytes).
inline constexpr std::size_t kMaxLocationFileBytes = 64u * 1024u * 1024u;

struct LocationFileContext {
  std::filesystem::path Folder;  // the program folder
  // The file read and saved; empty: VEK.LOC of Folder. (A downloaded location file is read under
  // its temporary name before it takes the place of VEK.LOC.)
  std::filesystem::path File{};
};

// What reading, converting or saving the location file came to, with its messages in both
// languages; the caller shows them. notice (the conversion of a file of the older layout) comes
// first, whatever the outcome; text is the failure's message, empty on success.
struct LocationFileResult {
  bool ok = true;
  bool fatal = false;  // the program cannot start without the file
  std::string english;
  std::string arabic;
  std::string noticeEnglish;
  std::string noticeArabic;
  const std::string& Text(Language lang) const { return ByLanguage(lang, english, arabic); }
  const std::string& Notice(Language lang) const {
    return ByLanguage(lang, noticeEnglish, noticeArabic);
  }
};

// Checks (and, when old, converts) the file, then reads every location into list, sorted by
// country, with Modified cleared. On failure the list is left empty with CurrentIndex -1.
LocationFileResult fnReadLocations(TLocations& list, const LocationFileContext& ctx);

// VEK.LOC of the program folder, whatever the letter case of its name; and whether it is there.
std::filesystem::path LocationFilePath(const std::filesystem::path& folder);
bool LocationFilePresent(const std::filesystem::path& folder);

// The message, in lang, of a program folder whose VEK.LOC (file) cannot be used: it is not there
// ("File Not Found"), it is no regular file (a FIFO, a folder, a device), or the system's reason
// it cannot be reached.
std::string LocationFileUnusableText(const std::filesystem::path& file, Language lang);

// ok when the file starts with the version record, or an old file was converted.
LocationFileResult CheckLocationsFileVersion(const LocationFileContext& ctx);

// Rewrites an 88-byte-record file in the current layout; the old file stays until the new one
// is complete.
LocationFileResult ConvertOldLocations(const LocationFileContext& ctx);

// Writes the list when it is modified: a new temporary file of a unique name beside VEK.LOC is
// renamed over it, under the folder's save lock. Not ok (not fatal) when the file could not be
// written; the old file is intact.
LocationFileResult SaveLocations(const TLocations& list, const LocationFileContext& ctx);

// A location file from elsewhere (a download) that is to take the place of VEK.LOC: it must be
// a regular file of at most kMaxLocationFileBytes, of whole 92-byte records of the current
// layout, the first being the version record, and every location in it must hold only what the
// location dialogs let a user enter (CheckLocationRec). Nothing is converted or written: a file
// of the older layout is refused. When it is refused, the reason in both languages names the
// first bad record.
struct LocationFileCheck {
  bool ok = true;
  std::string english;
  std::string arabic;
};
LocationFileCheck CheckLocationFileStrictly(const std::filesystem::path& file);

// The file image of a list: the version record, then every location in list order.
std::string LocationsFileImage(const TLocations& list);

// The debug-log text of one record.
std::string DumpLocationRec(const std::string& prefix, const TLocationRec& rec);

}  // namespace vek
