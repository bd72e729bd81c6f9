// The listing comparison: what Live Update offers and what stays ignored. The server's listing
// is compared with the local one under the rules of the transfer (FTP or HTTP); only names that
// belong to the installation and are plain file names are admitted; the user's ignore list
// (IGNORE.REC) holds back what the user chose not to fetch; installer packages that are not
// newer than the running program are dropped. The result is the rows of the offered and ignored
// grids and the closing message, or an error; the Live Update dialog shows them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/dos_date_time.h"
#include "foundation/file_catalogue.h"
#include "foundation/language.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/live_update_files.h"
#include "platform/file_system.h"

namespace vek {

// FTP: files of size 0 are never offered and a file is updated when its size differs. HTTP:
// files of size 0 are offered too, and a later server stamp also counts as a difference.
enum class TransferRules { Ftp, Http };

// One adhan recording: its file name in SOUNDS and its descriptions.
struct TAdhanName {
  std::string file;  // "ALEPPO.WAV"
  std::string english;
  std::string arabic;
};

// Whether the program folder's folder ("SOUNDS" or "SOUNDS/SURAS") holds a file of that name.
using FileProbe = std::function<bool(std::string_view folder, std::string_view name)>;

// The probe of a real program folder; folder and file names ignore ASCII case.
FileProbe ProgramFolderProbe(const std::filesystem::path& programFolder);

struct TComparisonSettings {
  TransferRules rules = TransferRules::Ftp;
  Language language = Language::English;
  std::string version{kVekVersion};  // the running version
  std::string packageName;           // PackageName, as the listing writer left it
  bool packageSubstitution = true;   // the listing writer listed the main program's module
  std::vector<TAdhanName> adhans;    // AzhanFiles with their descriptions
  FileProbe fileExists;              // for "New version" / "New file"; none: "New file"
  // The short date of the grids' date column; none: DD/MM/YYYY.
  std::function<std::string(const DosDateTimeParts&)> shortDate;
};

// A grid row: 0 file (lower case), 1 update type, 2 size with thousands separators, 3 the packed
// stamp as a decimal number (hidden), 4 the date, 5 the description.
using TGridRow = std::array<std::string, 6>;

struct TComparison {
  std::string error;                    // a file was refused: nothing is offered; show it
  std::vector<TListingRec> neededList;  // one per offered row, in order
  std::vector<TGridRow> offered;        // sg_Add below its title row
  std::vector<TIgnoreRec> ignoreList;
  std::vector<TGridRow> ignored;   // sg_Ignore below its title row
  bool ignoreListChanged = false;  // IGNORE.REC must be rewritten from the ignored rows
  std::string message;             // the closing message; empty when there is something to show
  bool showLists = false;          // something is offered or ignored
  std::string saveError;           // IGNORE.REC could not be rewritten: show it
};

// The steps of one comparison, for the two functions below and for tests of each step.
class TListingComparison {
 public:
  TListingComparison(TFileCatalogue& catalogue, const TComparisonSettings& settings);

  // ReadListingFile: the file records worth comparing, with their texts upper-cased. Left out:
  // negative sizes (and size 0 over FTP), the record named PackageName (it gives PackageSize),
  // text books without a usable book name, header records, and every record of a name after
  // the first.
  std::vector<TListingRec> ReadListingFile(const std::vector<TListingRec>& records);
  // LoadIgnoreList: the records of IGNORE.REC, less those of installed files, duplicates and
  // names that are not plain; cut tells that the file ended inside a record.
  void LoadIgnoreList(const std::vector<TIgnoreRec>& records, bool cut);
  void BuildNeededList();
  bool NeedsUpdate(TListingRec& server);
  bool AcceptNewerOnly(const TListingRec& local, TListingRec& server);
  bool IsIgnored(const TListingRec& rec) const;
  void AddNeededItem(const TListingRec& rec);
  std::string IndexFileDescription(std::string_view name) const;
  void SoundFileDescription(std::string_view name, std::string& updateType,
                            std::string& description) const;
  void DropSupersededPackages(std::string_view prefix);
  // The message and the flags of the end of the comparison.
  void Finish();

  std::vector<TListingRec> local;
  std::vector<TListingRec> server;
  std::int32_t packageSize = 0;
  TComparison result;

 private:
  std::string ShortDate(std::uint32_t stamp) const;
  TGridRow IgnoreRow(const TIgnoreRec& rec) const;

  TFileCatalogue& catalogue_;
  const TComparisonSettings& settings_;
  std::string packageName_;
  bool substituted_ = false;
};

// The admission tests of server names.
bool IsListingTextFile(std::string_view name);
bool IsCatalogueFile(std::string_view name, const TFileCatalogue& catalogue);
bool IsKnownFileName(std::string_view name);
bool IsPackageName(std::string_view name);

// The names of the three files, for the messages.
struct TComparisonFiles {
  std::filesystem::path local{kLocalListingName};
  std::filesystem::path server{kDownloadedListingName};
  std::filesystem::path ignore{kIgnoreFileName};
};

// The whole comparison on the files' bytes; ignore is empty when there is no IGNORE.REC. The
// catalogue's index extensions are shortened (ShortenIndexExtensions). Nothing is written.
TComparison CompareListings(std::string_view local, std::string_view server,
                            const std::optional<std::string_view>& ignore,
                            TFileCatalogue& catalogue, const TComparisonSettings& settings,
                            const TComparisonFiles& names = {});

// CompareAndFill: reads the local listing, IGNORE.REC (when there is one) and the server's
// listing, compares them, and rewrites IGNORE.REC when the comparison changed it.
TComparison CompareAndFill(const TComparisonFiles& files, TFileCatalogue& catalogue,
                           const TComparisonSettings& settings, FileSystem& fs = RealFileSystem());

// The row's update type and description (columns 1 and 5) in language, where they are texts
// that the comparison writes ("New file", "Quran file", an adhan's description, "INDEXES file
// for ..."); other texts, such as a book's name, stay as they are.
void RecaptionGridRow(TGridRow& row, Language language, const TComparisonSettings& settings);

// SaveIgnoreFile: IGNORE.REC anew from the ignored rows (file name from column 0, description
// from column 1, size and stamp from the digits of columns 2 and 3), through a temporary file.
// Empty, or the message of the failure in the user's language.
std::string SaveIgnoreFile(const std::filesystem::path& file, const std::vector<TGridRow>& rows,
                           Language language, FileSystem& fs = RealFileSystem());

}  // namespace vek
