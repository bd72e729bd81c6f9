// The installation listing: the local side of Live Update's comparison. The program folder and
// its sound folders are scanned, development and maintenance files are left out, and each folder
// becomes a group of TListingRec records in LiveUpdate/vekdirs.rec. The maintainer makes the
// server's listing with the same writer (maintainer mode, the UPLOAD switch). Also here: the
// plain-text directory report VEK_DIRS.TXT that goes with the support e-mail.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/file_catalogue.h"
#include "foundation/language.h"
#include "foundation/system_services.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/live_update_files.h"
#include "liveupdate/twin_text.h"

namespace vek {

// What the listing needs of the program's settings.
struct TListingSettings {
  std::filesystem::path programFolder;  // ThisPath
  bool maintainerMode = false;          // the UPLOAD switch: package record, text twin, message
  bool liveUpdateRunning = true;        // LiveUpdateRunning: index merging, extra exclusions
  std::string version{kVekVersion};
  Language language = Language::English;
};

// The result of writing the local listing, and what it leaves for the comparison.
struct TListingOutcome {
  enum Status {
    Written,         // the listing is in place
    WriteFailed,     // reported; the old listing is untouched and the caller stops
    PackageMissing,  // maintainer mode: reported; the caller ends the program
  };
  Status status = WriteFailed;
  bool vekModuleListed = false;  // the main program's module was listed: package substitution
  bool quvModuleListed = false;  // the sibling program's module (never listed here)
  std::string packageName;       // PackageName of the comparison
};

// Writes LiveUpdate/vekdirs.rec (listingFile) whole: the groups of the program folder ("VEK"),
// SOUNDS ("SOUNDS") and SOUNDS/SURAS ("SURAS"), through a temporary file renamed over the old
// listing. In maintainer mode the text twin (listingFile + "TXT") is written beside it, and
// "READY TO UPLOAD..." is shown; the caller then closes the program. An I/O error is shown with
// its DOS error text and leaves the old listing in place.
TListingOutcome WriteLiveUpdateDirList(const TListingSettings& settings,
                                       const std::filesystem::path& listingFile,
                                       const TFileCatalogue& catalogue, SystemServices& sys);

// A listing being built in memory: the binary records and, in maintainer mode, one line per
// record for the text twin.
class TListingWriter {
 public:
  explicit TListingWriter(bool textTwin) : textTwin_(textTwin) {}
  void Clear();  // mode 1: start a new listing
  void Add(const TListingRec& rec);
  const std::string& Bytes() const { return bytes_; }
  const std::string& TextTwin() const { return twin_; }

 private:
  bool textTwin_;
  std::string bytes_;
  std::string twin_;
};

// The listing modes.
inline constexpr int kListingAppend = 0;  // add a group
inline constexpr int kListingNew = 1;     // start the listing with this group
inline constexpr int kListingEnd = 2;     // add only an end record

// Writes one group: the blank header, the package record when packageRecord is given, the
// directory record, and when the folder exists ";Directory: ", ";Total Items: " and the entries.
// folderText is the folder as the records show it.
void WriteListing(TListingWriter& writer, std::string_view moduleWord,
                  const std::string& folderText, bool folderExists, std::uint8_t module, int mode,
                  const std::vector<TListingRec>& entries, const TListingRec* packageRecord);

// What a folder's scan or its group came to, and the messages it leaves, in the order they are
// to be shown (the program's words in English, whatever the language).
struct TGroupOutcome {
  bool ok = true;  // false: maintainer mode without the package file
  std::vector<std::string> messages;
};

// Scans folder and writes its group; with kListingEnd only an end record. In maintainer mode
// the "VEK" group carries the package record; when the package file is missing from
// programFolder/$trash nothing is written and the outcome fails with its message. The messages
// of the text books' headers come from ScanDirectory.
TGroupOutcome WriteDirListing(TListingWriter& writer, std::string_view moduleWord,
                              const std::filesystem::path& folder, std::uint8_t module, int mode,
                              const TListingSettings& settings, const TFileCatalogue& catalogue);

// The file records of a folder's files that are not excluded, upper-cased, sorted by name
// (code page 1256 bytes), with module and catalogue flag from the catalogue; and for each text
// book whose header is not whole, ReadBookHeader's messages, in the order of the scan.
struct TScannedFolder {
  std::vector<TListingRec> records;
  std::vector<std::string> messages;
};
TScannedFolder ScanDirectory(const std::filesystem::path& folder, std::string_view moduleWord,
                             std::uint8_t module, bool liveUpdateRunning,
                             const TFileCatalogue& catalogue);

// The exclusion rules: the program's own lock and temporary files, files of the other program,
// development files and the maintainer's own files. name is upper case.
bool IsExcludedFile(std::string_view name, std::string_view moduleWord, std::uint8_t module,
                    bool liveUpdateRunning, const TFileCatalogue& catalogue);

// The header of an indexed text book: "*BOOK*", "*AUTHOR*" and "*END*" lines (code page 1256).
struct TBookHeader {
  std::string book;    // UTF-8, at most 80 characters
  std::string author;  // at most 50
  bool endSeen = false;
};
TBookHeader ParseBookHeader(std::string_view bytes);

// Fills the record's book and author from the file's header. Answers the messages of what is
// missing, in the order they are to be shown (the program's words in English, whatever the
// language); none when the header is whole.
std::vector<std::string> ReadBookHeader(const std::filesystem::path& file, TListingRec& rec);

// "***CD-ROM***" or "(Not a CD-ROM)", then "  WRITABLE DISK" or "  ***NON-WRITABLE*** DISK".
std::string DriveKindText(const std::filesystem::path& folder);

// Appends the plain-text listing of folder to text; reportName ends the listing.
void WriteTextListing(const std::filesystem::path& folder, std::string_view reportName,
                      std::string& text);

// The report of the program's folders that WriteDirsReport writes in the program folder.
inline constexpr std::string_view kDirsReportName = "VEK_DIRS.TXT";

// Writes kDirsReportName in the program folder: the drive kind and the text listings of the program
// folder, SOUNDS and SOUNDS/SURAS. Nothing when written; otherwise the message of the file that
// could not be written, with its DOS error text, in both languages.
std::optional<TTwinText> WriteDirsReport(const std::filesystem::path& programFolder,
                                         FileSystem& files);

}  // namespace vek
