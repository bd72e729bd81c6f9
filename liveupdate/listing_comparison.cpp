#include "liveupdate/listing_comparison.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <unordered_set>

#include "foundation/conversions.h"
#include "foundation/debug_log.h"
#include "foundation/dos_error.h"
#include "foundation/file_helpers.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/text.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

// A stamp that cannot be shown as a date shows the date of this one.
constexpr std::uint32_t kFallbackStamp = 20000000;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Extension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// The first occurrence of suffix in name, ignoring ASCII case, is at its end.
bool FirstAtEndIgnoringCase(std::string_view name, std::string_view suffix) {
  const std::string upper = AsciiUpper(name);
  const std::size_t at = upper.find(AsciiUpper(suffix));
  return at != std::string::npos && at + suffix.size() == upper.size();
}

// "S", digits, ".WAV": a recitation.
bool IsSuraName(std::string_view name) {
  const std::string upper = AsciiUpper(name);
  if (upper.size() < 6 || upper.front() != 'S' || !upper.ends_with(".WAV"))
    return false;
  return std::all_of(upper.begin() + 1, upper.end() - 4, IsDigit);
}

// A name as a debug log line shows it: control characters as \xNN.
std::string Printable(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

// The three characters from position 6 of a package name: its version.
std::string PackageVersion(std::string_view upperName) {
  return upperName.size() > 5 ? std::string(upperName.substr(5, 3)) : std::string();
}

std::string DefaultShortDate(const DosDateTimeParts& p) {
  return TwoDigitStr(p.day) + "/" + TwoDigitStr(p.month) + "/" + std::to_string(p.year);
}

// The texts of the grids that the comparison writes, in both languages.
struct GridText {
  const char* english;
  const char* arabic;
  const char* In(Language language) const {
    return language == Language::Arabic ? arabic : english;
  }
};
constexpr GridText kNewVersion{"New version", "نسخة جديدة"};
constexpr GridText kNewFile{"New file", "ملف جديد"};
constexpr GridText kQuranFile{"Quran file", "ملف قرآن"};
constexpr GridText kSoundFile{"Sound file", "ملف صوتي"};
constexpr GridText kFixedTexts[] = {kNewVersion, kNewFile, kQuranFile, kSoundFile};
// Followed by the book's name.
constexpr GridText kIndexesFor{"INDEXES file for ", "ملف الفهارس لـ "};

std::string AdhanDescription(const TAdhanName& adhan, Language language) {
  return language == Language::Arabic ? "أذان " + adhan.arabic : adhan.english + " Azhan";
}

// The text in the other language when it is one the comparison writes, else the text itself.
std::string RecaptionGridText(const std::string& text, Language language,
                              const TComparisonSettings& settings) {
  for (const GridText& fixed : kFixedTexts) {
    if (text == fixed.english || text == fixed.arabic)
      return fixed.In(language);
  }
  for (const TAdhanName& adhan : settings.adhans) {
    if (text == AdhanDescription(adhan, Language::English) ||
        text == AdhanDescription(adhan, Language::Arabic))
      return AdhanDescription(adhan, language);
  }
  for (const std::string_view prefix : {kIndexesFor.english, kIndexesFor.arabic}) {
    if (text.starts_with(prefix))
      return kIndexesFor.In(language) + text.substr(prefix.size());
  }
  return text;
}

}  // namespace

FileProbe ProgramFolderProbe(const fs::path& programFolder) {
  return [programFolder](std::string_view folder, std::string_view name) {
    fs::path path = programFolder;
    std::size_t start = 0;
    while (start <= folder.size()) {
      const std::size_t slash = std::min(folder.find('/', start), folder.size());
      if (slash > start)
        path = FindFileIgnoringCase(path, std::string(folder.substr(start, slash - start)));
      start = slash + 1;
    }
    std::error_code ec;
    return fs::is_regular_file(FindFileIgnoringCase(path, std::string(name)), ec);
  };
}

bool IsListingTextFile(std::string_view name) {
  return Extension(name) == ".TXT" &&
         (name.find("_DIRS.") == 3 || (!name.empty() && IsDigit(name.front())));
}

bool IsCatalogueFile(std::string_view name, const TFileCatalogue& catalogue) {
  return std::any_of(catalogue.begin(), catalogue.end(), [&](const TCatalogueEntry& row) {
    return name.starts_with(AsciiUpper(FullName(row)));
  });
}

bool IsKnownFileName(std::string_view name) {
  // The list of known names has no entry filled in: only an empty stem equals one.
  return StripExtension(name).empty();
}

bool IsPackageName(std::string_view name) {
  return name.starts_with("DIRIZ") || name.starts_with(kPackagePrefix) ||
         name.starts_with("GO-VEK");
}

TListingComparison::TListingComparison(TFileCatalogue& catalogue,
                                       const TComparisonSettings& settings)
    : catalogue_(catalogue),
      settings_(settings),
      packageName_(settings.packageName.empty() ? PackageNameOf(settings.version)
                                                : settings.packageName) {}

std::string TListingComparison::ShortDate(std::uint32_t stamp) const {
  auto parts = UnpackDosDateTime(stamp);
  if (!parts)
    parts = UnpackDosDateTime(kFallbackStamp);
  return settings_.shortDate ? settings_.shortDate(*parts) : DefaultShortDate(*parts);
}

std::vector<TListingRec> TListingComparison::ReadListingFile(
    const std::vector<TListingRec>& records) {
  const bool http = settings_.rules == TransferRules::Http;
  std::vector<TListingRec> kept;
  std::unordered_set<std::string> names;
  for (const TListingRec& rec : records) {
    // A negative size is no file; size 0 is one only over HTTP.
    if (rec.Size < 0 || (rec.Size == 0 && !http))
      continue;
    if (rec.FileName == packageName_) {
      packageSize = rec.Size;
      continue;
    }
    std::string text = rec.Text;
    if (rec.IsTextBook != 0) {
      text.erase(0, text.find_first_not_of(' '));
      if (text.empty() || text.front() == ';' || text.front() == '=' ||
          (text.size() >= 3 && IsDigit(text[0]) && IsDigit(text[1]) && IsDigit(text[2])))
        continue;
    }
    if (rec.FileName == ";")
      continue;
    if (!names.insert(AsciiUpper(rec.FileName)).second)
      continue;  // the first record of a name wins
    TListingRec copy = rec;
    copy.Text = TruncateCodePoints(AsciiUpper(text), kListingTextChars);
    kept.push_back(std::move(copy));
  }
  return kept;
}

TGridRow TListingComparison::IgnoreRow(const TIgnoreRec& rec) const {
  TGridRow row;
  row[0] = rec.FileName;
  // Saved in the language of its day; shown in the user's.
  row[1] = RecaptionGridText(rec.Description, settings_.language, settings_);
  row[2] = ThousandsOf(rec.Size);
  if (rec.Date != 0) {
    row[3] = std::to_string(rec.Date);
    row[4] = ShortDate(rec.Date);
  }
  return row;
}

void TListingComparison::LoadIgnoreList(const std::vector<TIgnoreRec>& records, bool cut) {
  result.ignoreList.clear();
  result.ignored.clear();
  // A file cut inside a record keeps its whole records and is written again.
  if (cut)
    result.ignoreListChanged = true;
  for (const TIgnoreRec& rec : records) {
    if (!IsPlainFileName(rec.FileName)) {
      DebugLog("Live Update: ignore entry with an unusable file name dropped: " +
               Printable(rec.FileName));
      result.ignoreListChanged = true;
      continue;
    }
    const bool installed = std::any_of(local.begin(), local.end(), [&](const TListingRec& l) {
      return CompareAsciiNoCase(l.FileName, rec.FileName) == 0 && l.Size == rec.Size &&
             l.Date == rec.Date;
    });
    const bool duplicate = std::any_of(
        result.ignoreList.begin(), result.ignoreList.end(),
        [&](const TIgnoreRec& k) { return k.FileName == rec.FileName && k.Size == rec.Size; });
    if (installed || duplicate) {
      result.ignoreListChanged = true;
      continue;
    }
    result.ignoreList.push_back(rec);
    result.ignored.push_back(IgnoreRow(rec));
  }
}

void TListingComparison::BuildNeededList() {
  ShortenIndexExtensions(catalogue_);
  for (TListingRec& rec : server) {
    const std::string& name = rec.FileName;
    if (!(IsListingTextFile(name) || IsCatalogueFile(name, catalogue_) || IsKnownFileName(name) ||
          IsPackageName(name)))
      continue;
    if (!IsPlainFileName(name)) {
      DebugLog("Live Update: server file with an unusable name not offered: " + Printable(name));
      continue;
    }
    if (NeedsUpdate(rec) && !IsIgnored(rec))
      AddNeededItem(rec);
  }
}

bool TListingComparison::NeedsUpdate(TListingRec& server) {
  const bool http = settings_.rules == TransferRules::Http;
  if (server.FileName.empty() || (server.Size == 0 && !http))
    return false;
  bool matched = false;
  for (TListingRec& l : local) {
    if (l.FileName != server.FileName || l.Module != server.Module)
      continue;
    matched = true;
    const bool differs = l.Size != server.Size || (http && l.Date < server.Date);
    if (differs && AcceptNewerOnly(l, server)) {
      l.Date = server.Date;
      return true;
    }
  }
  return !matched;
}

bool TListingComparison::AcceptNewerOnly(const TListingRec& local, TListingRec& server) {
  if (server.NewerOnly == 0)
    return true;
  if (local.Date >= server.Date)
    return false;
  if (!settings_.packageSubstitution)
    return true;
  // A newer program file comes with the installer package, once per comparison.
  if (substituted_)
    return false;
  substituted_ = true;
  server.FileName = packageName_;
  server.Size = packageSize;
  return true;
}

bool TListingComparison::IsIgnored(const TListingRec& rec) const {
  return std::any_of(result.ignoreList.begin(), result.ignoreList.end(),
                     [&](const TIgnoreRec& i) { return AsciiUpper(i.FileName) == rec.FileName; });
}

void TListingComparison::AddNeededItem(const TListingRec& rec) {
  if (rec.Size < 0 || (rec.Size == 0 && settings_.rules == TransferRules::Ftp))
    return;
  TGridRow row;
  row[0] = AsciiLower(rec.FileName);
  row[2] = ThousandsOf(rec.Size);
  if (rec.Date != 0) {
    row[4] = ShortDate(rec.Date);
    row[3] = std::to_string(rec.Date);
  }
  if (FirstAtEndIgnoringCase(rec.FileName, ".ix"))
    row[5] = IndexFileDescription(rec.FileName);
  else if (AsciiUpper(rec.FileName).ends_with(".WAV"))
    SoundFileDescription(rec.FileName, row[1], row[5]);
  else
    row[5] = TruncateCodePoints(rec.Text + " " + rec.Author, kIgnoreDescriptionChars);
  result.offered.push_back(std::move(row));
  result.neededList.push_back(rec);
}

std::string TListingComparison::IndexFileDescription(std::string_view name) const {
  const std::string book = StripExtension(name) + ".TXT";
  for (const TListingRec& rec : server) {
    if (rec.FileName == book)
      return kIndexesFor.In(settings_.language) + rec.Text;
  }
  return {};
}

void TListingComparison::SoundFileDescription(std::string_view name, std::string& updateType,
                                              std::string& description) const {
  const Language language = settings_.language;
  std::string_view folder = "SOUNDS";
  const auto adhan =
      std::find_if(settings_.adhans.begin(), settings_.adhans.end(),
                   [&](const TAdhanName& a) { return CompareAsciiNoCase(a.file, name) == 0; });
  if (adhan != settings_.adhans.end()) {
    description = AdhanDescription(*adhan, language);
  } else if (IsSuraName(name)) {
    description = kQuranFile.In(language);
    folder = "SOUNDS/SURAS";
  } else {
    description = kSoundFile.In(language);
  }
  const bool exists = settings_.fileExists && settings_.fileExists(folder, name);
  updateType = (exists ? kNewVersion : kNewFile).In(language);
}

void TListingComparison::DropSupersededPackages(std::string_view prefix) {
  std::string running;
  for (const char c : settings_.version) {
    if (c != '.')
      running += c;
  }
  std::vector<bool> ignoreDropped(result.ignoreList.size(), false);
  auto isPackage = [&](const std::string& upper) {
    return upper.find(prefix) != std::string::npos;
  };
  std::unordered_set<std::string> serverDropped;
  for (const TListingRec& rec : server) {
    const std::string upper = AsciiUpper(rec.FileName);
    if (!isPackage(upper))
      continue;
    const std::string version = PackageVersion(upper);
    for (std::size_t i = 0; i < result.ignoreList.size(); ++i) {
      const std::string ignored = AsciiUpper(result.ignoreList[i].FileName);
      if (isPackage(ignored) && !(PackageVersion(ignored) > version))
        ignoreDropped[i] = true;
    }
    if (!(version > running))
      serverDropped.insert(rec.FileName);
  }
  for (std::size_t i = 0; i < result.ignoreList.size(); ++i) {
    const std::string ignored = AsciiUpper(result.ignoreList[i].FileName);
    if (isPackage(ignored) && !(PackageVersion(ignored) > running))
      ignoreDropped[i] = true;
  }
  // Dropped packages leave the offer...
  std::size_t kept = 0;
  for (std::size_t i = 0; i < result.neededList.size(); ++i) {
    if (serverDropped.contains(result.neededList[i].FileName))
      continue;
    if (kept != i) {
      result.neededList[kept] = std::move(result.neededList[i]);
      result.offered[kept] = std::move(result.offered[i]);
    }
    ++kept;
  }
  result.neededList.resize(kept);
  result.offered.resize(kept);
  // ...and the ignore list.
  kept = 0;
  for (std::size_t i = 0; i < result.ignoreList.size(); ++i) {
    if (ignoreDropped[i]) {
      result.ignoreListChanged = true;
      continue;
    }
    if (kept != i) {
      result.ignoreList[kept] = std::move(result.ignoreList[i]);
      result.ignored[kept] = std::move(result.ignored[i]);
    }
    ++kept;
  }
  result.ignoreList.resize(kept);
  result.ignored.resize(kept);
}

void TListingComparison::Finish() {
  const bool arabic = settings_.language == Language::Arabic;
  result.message.clear();
  if (result.neededList.empty()) {
    result.message = arabic ? "ملفاتكم لا تحتاج إلى تجديد" : "Your files do not need updating";
    if (!result.ignoreList.empty())
      result.message +=
          std::string("\r\n\r\n") +
          (arabic ? "لكنكم طلبتم تجاهل بعض البنود" : "But you requested to ignore some items");
  }
  result.showLists = !result.neededList.empty() || !result.ignoreList.empty();
}

TComparison CompareListings(std::string_view local, std::string_view server,
                            const std::optional<std::string_view>& ignore,
                            TFileCatalogue& catalogue, const TComparisonSettings& settings,
                            const TComparisonFiles& names) {
  TListingComparison comparison(catalogue, settings);
  RecordFileError error = RecordFileError::None;
  const std::vector<TListingRec> localRecords = DecodeListing(local, error);
  if (error != RecordFileError::None) {
    comparison.result.error = RecordFileErrorText(error, 0, names.local, settings.language);
    return comparison.result;
  }
  std::vector<TIgnoreRec> ignoreRecords;
  bool cut = false;
  if (ignore) {
    ignoreRecords = DecodeIgnoreFile(*ignore, cut, error);
    if (error != RecordFileError::None) {
      comparison.result.error = RecordFileErrorText(error, 0, names.ignore, settings.language);
      return comparison.result;
    }
  }
  const std::vector<TListingRec> serverRecords = DecodeListing(server, error);
  if (error != RecordFileError::None) {
    comparison.result.error = RecordFileErrorText(error, 0, names.server, settings.language);
    return comparison.result;
  }
  // In this order, so that PackageSize ends up from the server's listing.
  comparison.local = comparison.ReadListingFile(localRecords);
  comparison.LoadIgnoreList(ignoreRecords, cut);
  comparison.server = comparison.ReadListingFile(serverRecords);
  comparison.BuildNeededList();
  comparison.DropSupersededPackages(kPackagePrefix);
  comparison.Finish();
  return std::move(comparison.result);
}

TComparison CompareAndFill(const TComparisonFiles& files, TFileCatalogue& catalogue,
                           const TComparisonSettings& settings, FileSystem& fs) {
  TComparison failed;
  int e = 0;
  std::string local;
  if (const RecordFileError error = ReadRecordFile(files.local, local, e);
      error != RecordFileError::None) {
    failed.error = RecordFileErrorText(error, e, files.local, settings.language);
    return failed;
  }
  std::optional<std::string> ignore;
  std::string ignoreBytes;
  if (const RecordFileError error = ReadRecordFile(files.ignore, ignoreBytes, e);
      error == RecordFileError::None) {
    ignore = std::move(ignoreBytes);
  } else if (!(error == RecordFileError::Unreadable && e == ENOENT)) {
    failed.error = RecordFileErrorText(error, e, files.ignore, settings.language);
    return failed;
  }
  std::string server;
  if (const RecordFileError error = ReadRecordFile(files.server, server, e);
      error != RecordFileError::None) {
    failed.error = RecordFileErrorText(error, e, files.server, settings.language);
    return failed;
  }
  TComparison result = CompareListings(local, server, ignore, catalogue, settings, files);
  if (result.error.empty() && result.ignoreListChanged)
    result.saveError = SaveIgnoreFile(files.ignore, result.ignored, settings.language, fs);
  return result;
}

void RecaptionGridRow(TGridRow& row, Language language, const TComparisonSettings& settings) {
  for (const std::size_t column : {std::size_t{1}, std::size_t{5}})
    row[column] = RecaptionGridText(row[column], language, settings);
}

std::string SaveIgnoreFile(const fs::path& file, const std::vector<TGridRow>& rows,
                           Language language, FileSystem& fs) {
  std::string bytes;
  for (const TGridRow& row : rows) {
    TIgnoreRec rec;
    rec.FileName = row[0];
    rec.Description = row[1];
    rec.Size = static_cast<std::int32_t>(std::min<std::int64_t>(
        DigitsToNumber(DigitsOnly(row[2])), std::numeric_limits<std::int32_t>::max()));
    const std::int64_t date = DigitsToNumber(DigitsOnly(row[3]));
    rec.Date =
        date <= std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(date) : 0;
    AppendIgnoreRec(rec, bytes);
  }
  if (const int e = WriteFileReplacing(file, bytes, fs); e != 0)
    return FileWriteErrorText(file, e, language);
  return {};
}

}  // namespace vek
