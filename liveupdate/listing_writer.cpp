#include "liveupdate/listing_writer.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <utility>

#include "foundation/conversions.h"
#include "foundation/cp1256.h"
#include "foundation/dos_date_time.h"
#include "foundation/dos_error.h"
#include "foundation/drive_tests.h"
#include "foundation/file_helpers.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/save_lock.h"
#include "foundation/text.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

// Development files, by extension; "~" stands for every extension that begins with '~'.
constexpr std::string_view kDevelopmentExtensions[] = {
    "PAS", "DFM", "DCU", "DOF", "DPR", "DSK", "RES", "WBK", "~",   "BPG",
    "DIC", "CFG", "ICO", "MAP", "BMP", "BAT", "DRC", "DWN", "$$$", "INI",
    "T",   "NEW", "BA-", "OPT", "OUT", "RC",  "PIF", "BAK", "CNF",
};
// Never listed.
constexpr std::string_view kExcludedPrefixes[] = {"HDRS", "ALL_DIRS.", "SETUP.EXE", "DRAVOLEN.EXE",
                                                  "&DISK"};
// The maker's own tools and documents, left out of the listing for Live Update.
constexpr std::string_view kMaintenanceNames[] = {
    "MANUAL.TXT", "$HYPHENS.LOG", "COUNT.DOC",  "GETDIRS.EXE", "INSTALL.EXE",
    "LOG.TXT",    "MAILTEST.EXE", "MANUAL.WRI", "SHOWMEM.EXE", "STDEFINE.INC",
    "TEST.EML",   "MANUAL.DOC",   "QUVFNM.TXT",
};
constexpr std::string_view kMaintenancePrefixes[] = {
    "BQR.",   "ERASEME.", "EXCLUDE.", "FTPCOMM",  "H1.",      "H2.",
    "POSTER", "SPLITTER", "MANUAL_A", "MANUAL_E", "$QUVDIRS", "$VEKDIRS",
};
// The sibling program's folder word and the prefix of its sample books there.
constexpr std::string_view kSiblingFolderWord = "QUV";
constexpr std::string_view kSampleBookPrefix = "SAMPLE";
// How much of a text book is read for its header.
constexpr std::size_t kBookHeaderBytes = 1u << 20;

// The extension from the last '.', dot included; empty without a dot.
std::string_view Extension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::int32_t ClampSize(std::int64_t size) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(size, 0, std::numeric_limits<std::int32_t>::max()));
}

// The folder as the records show it: with a trailing separator.
std::string FolderText(const fs::path& folder) {
  return (folder / "").string();
}

std::string ModuleWordOf(std::uint8_t module) {
  switch (module) {
    case QuvModule:
      return "QUV";
    case VEKModule:
      return "VEK";
    case BOTHModules:
      return "BOTH";
    default:
      return std::to_string(module);
  }
}

std::string ReadyToUploadText(const fs::path& listingFile) {
  return "READY TO UPLOAD\r\n\r\nFinished Writing Directories to Hard Disk\r\n\r\nNow the "
         "following file must be uploaded to our Site:\r\n- " +
         listingFile.string() + "\r\n" + "- as well as GO...EXE" + "\r\n" +
         "- and any new sound files" + "\r\n\r\n" + "Program Will Close";
}

class BusyCursor {
 public:
  explicit BusyCursor(UiServices& ui) : ui_(ui) { ui_.SetBusyCursor(true); }
  ~BusyCursor() { ui_.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  UiServices& ui_;
};

struct ScanEntry {
  std::string key;       // the name in code page 1256: the sort order
  std::string original;  // the name on disk: the order of names that differ only in case
  TListingRec rec;
};

}  // namespace

void TListingWriter::Clear() {
  bytes_.clear();
  twin_.clear();
}

void TListingWriter::Add(const TListingRec& rec) {
  const std::size_t at = bytes_.size();
  AppendListingRec(rec, bytes_);
  if (!textTwin_)
    return;
  // The line describes the record as stored, with its names cut to their fields.
  const TListingRec stored = DecodeListingRec(std::string_view(bytes_).substr(at));
  const std::string line =
      stored.FileName + " | " + stored.Text + " | " + stored.Author + " | " +
      std::to_string(stored.Size) + " | " + std::to_string(stored.Date) + " | " +
      ModuleWordOf(stored.Module) + " | text book " + std::to_string(stored.IsTextBook) +
      " | no such folder " + std::to_string(stored.NoSuchFolder) + " | kind " +
      std::to_string(stored.Kind) + " | state " + std::to_string(stored.State) + "\r\n";
  twin_ += Utf8ToCp1256Lossy(line);
}

bool IsExcludedFile(std::string_view name, std::string_view moduleWord, std::uint8_t module,
                    bool liveUpdateRunning, const TFileCatalogue& catalogue) {
  (void)moduleWord;
  // The program's own files beside the installation: the save lock, what a save or a copy is
  // writing, and a download not yet in place.
  if (name == AsciiUpper(kSaveLockFileName) || IsProgramTemporaryName(name) ||
      name.ends_with(AsciiUpper(kDownloadSuffix)))
    return true;
  const std::string stem = StripExtension(name);
  for (const TCatalogueEntry& row : catalogue) {
    if (row.Name == stem && row.Module != module && row.Module != BOTHModules)
      return true;
  }
  const std::string_view ext = Extension(name);
  const bool txt = ext == ".TXT";
  if (txt && name.size() > 2 && IsDigit(name[0]) && IsDigit(name[1]) && IsDigit(name[2]))
    return true;
  if (txt && (name.find("_DIRS.") == 3 || name.starts_with('$') || name.starts_with('#')))
    return true;
  for (const std::string_view prefix : kExcludedPrefixes) {
    if (name.starts_with(prefix))
      return true;
  }
  if (liveUpdateRunning) {
    for (const std::string_view fixed : kMaintenanceNames) {
      if (name == fixed)
        return true;
    }
    if (name.find("-ORG.TXT") != std::string_view::npos)
      return true;
    for (const std::string_view prefix : kMaintenancePrefixes) {
      if (name.starts_with(prefix))
        return true;
    }
    if (txt && (name.starts_with("QUV0") || name.starts_with("QUV1")))
      return true;
    if (ext == ".INC" && name.starts_with("IGLOB"))
      return true;
    if (ext == ".EXE" && name.starts_with("TEST"))
      return true;
    if (ext == ".Z" && name.starts_with("GO") &&
        !(name.starts_with("GO-VEK") || name.starts_with(kPackagePrefix) ||
          name.starts_with("DIRIZ")))
      return true;
  }
  if (!ext.empty()) {
    const std::string_view bare = ext.substr(1);
    for (const std::string_view development : kDevelopmentExtensions) {
      if (development == "~" ? bare.starts_with('~') : bare == development)
        return true;
    }
  }
  return false;
}

TBookHeader ParseBookHeader(std::string_view bytes) {
  TBookHeader header;
  auto rest = [](std::string_view line, std::size_t skip, std::size_t maxChars) {
    std::string_view value = line.substr(skip);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
      value.remove_prefix(1);
    return TruncateCodePoints(Cp1256ToUtf8(value), maxChars);
  };
  while (!bytes.empty() && (header.book.empty() || header.author.empty())) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (line.starts_with("*BOOK*")) {
      header.book = rest(line, 6, kListingTextChars);
    } else if (line.starts_with("*AUTHOR*")) {
      header.author = rest(line, 8, kListingAuthorChars);
    } else if (line.starts_with("*END*")) {
      header.endSeen = true;
      break;
    }
  }
  return header;
}

std::vector<std::string> ReadBookHeader(const fs::path& file, TListingRec& rec) {
  std::string bytes;
  ReadFileHead(file, kBookHeaderBytes, bytes);
  const TBookHeader header = ParseBookHeader(bytes);
  rec.Text = header.book;
  rec.Author = header.author;
  const std::string name = file.string();
  std::vector<std::string> missing;
  if (header.book.empty())
    missing.push_back("Missing Book Name from file: " + name);
  if (header.author.empty())
    missing.push_back("Missing Author Name from file: " + name);
  if (!header.endSeen && (header.book.empty() || header.author.empty()))
    missing.push_back("Missing End-Of-Header *END* from file: " + name);
  return missing;
}

TScannedFolder ScanDirectory(const fs::path& folder, std::string_view moduleWord,
                             std::uint8_t module, bool liveUpdateRunning,
                             const TFileCatalogue& catalogue) {
  TScannedFolder scanned;
  std::vector<ScanEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError))
      continue;
    const std::string original = it->path().filename().string();
    std::string name = AsciiUpper(original);
    // The numbered parts of an index (extension IX and a digit) are listed as one name.
    if (liveUpdateRunning && name.size() >= 4 && name.compare(name.size() - 4, 3, ".IX") == 0)
      name.pop_back();
    if (IsExcludedFile(name, moduleWord, module, liveUpdateRunning, catalogue))
      continue;
    struct stat st {};
    if (::stat(it->path().c_str(), &st) != 0)
      continue;
    if (liveUpdateRunning && (moduleWord == "QIB" || name.find(".IX") != std::string::npos)) {
      const auto same = std::find_if(entries.begin(), entries.end(),
                                     [&](const ScanEntry& e) { return e.rec.FileName == name; });
      if (same != entries.end()) {
        same->rec.Size = ClampSize(std::int64_t{same->rec.Size} + st.st_size);
        continue;
      }
    }
    TListingRec rec;
    rec.Kind = riIsFileInfo;
    rec.State = 1;
    rec.FileName = name;
    rec.Size = ClampSize(st.st_size);
    rec.Date = DosDateTimeOfFileTime(st.st_mtim.tv_sec).value_or(0);
    rec.Module = module;
    const bool sampleBook = moduleWord == kSiblingFolderWord &&
                            name.starts_with(kSampleBookPrefix) && Extension(name) == ".TXT";
    if (liveUpdateRunning && (moduleWord == "TXT" || sampleBook)) {
      for (std::string& message : ReadBookHeader(it->path(), rec))
        scanned.messages.push_back(std::move(message));
      rec.IsTextBook = 1;
    }
    entries.push_back({Utf8ToCp1256Lossy(name), original, std::move(rec)});
  }
  std::sort(entries.begin(), entries.end(), [](const ScanEntry& a, const ScanEntry& b) {
    return a.key != b.key ? a.key < b.key : a.original < b.original;
  });
  std::vector<TListingRec>& records = scanned.records;
  records.reserve(entries.size());
  for (ScanEntry& entry : entries) {
    TListingRec& rec = entry.rec;
    const std::string stem = StripExtension(rec.FileName);
    for (const TCatalogueEntry& row : catalogue) {
      if (row.Name == stem) {
        rec.Module = row.Module;
        rec.NewerOnly = row.FlagC;
        break;
      }
    }
    records.push_back(std::move(rec));
  }
  return scanned;
}

void WriteListing(TListingWriter& writer, std::string_view moduleWord,
                  const std::string& folderText, bool folderExists, std::uint8_t module, int mode,
                  const std::vector<TListingRec>& entries, const TListingRec* packageRecord) {
  if (mode == kListingNew)
    writer.Clear();
  const std::string word = ";" + std::string(moduleWord);
  if (mode == kListingEnd) {
    TListingRec end;
    end.Kind = riIsEOF;
    end.Text = word;
    end.FileName = ";";
    end.Module = module;
    end.State = 1;
    writer.Add(end);
    return;
  }
  TListingRec header;
  header.Kind = riIsBlankHeader;
  header.Text = word;
  header.FileName = ";";
  header.Module = module;
  header.State = moduleWord.empty() ? 1 : 0;
  writer.Add(header);
  if (packageRecord != nullptr)
    writer.Add(*packageRecord);
  TListingRec dir;
  dir.Kind = riIsDir;
  dir.Text = ";" + folderText;
  dir.FileName = ";";
  dir.Module = module;
  dir.NoSuchFolder = folderExists ? 0 : 1;
  dir.State = 1;
  writer.Add(dir);
  if (!folderExists)
    return;
  dir.Text = ";Directory: " + folderText;
  writer.Add(dir);
  dir.Text = ";Total Items: " + std::to_string(entries.size());
  writer.Add(dir);
  for (const TListingRec& entry : entries) {
    TListingRec rec = entry;
    rec.FileName = AsciiUpper(entry.FileName);
    writer.Add(rec);
  }
}

TGroupOutcome WriteDirListing(TListingWriter& writer, std::string_view moduleWord,
                              const fs::path& folder, std::uint8_t module, int mode,
                              const TListingSettings& settings, const TFileCatalogue& catalogue) {
  if (mode == kListingEnd) {
    WriteListing(writer, moduleWord, FolderText(folder), false, module, mode, {}, nullptr);
    return {};
  }
  std::error_code ec;
  const bool exists = fs::is_directory(folder, ec);
  std::optional<TListingRec> package;
  if (settings.maintainerMode && moduleWord == "VEK") {
    const std::string name = PackageNameOf(settings.version);
    const fs::path trash =
        FindFileIgnoringCase(settings.programFolder, std::string(kPackageFolderName));
    const fs::path file = FindFileIgnoringCase(trash, name);
    if (!fs::is_regular_file(file, ec))
      return {.ok = false,
              .messages = {"ERROR: MISSING File " + name + " from directory: \\$trash"}};
    package.emplace();
    package->Kind = riIsBlankHeader;
    package->Text = ";" + std::string(moduleWord);
    package->FileName = AsciiUpper(name);
    package->Size = ClampSize(FileSizeOfName(file));
    package->Module = module;
  }
  TScannedFolder scanned;
  if (exists)
    scanned = ScanDirectory(folder, moduleWord, module, settings.liveUpdateRunning, catalogue);
  WriteListing(writer, moduleWord, FolderText(folder), exists, module, mode, scanned.records,
               package ? &*package : nullptr);
  return {.ok = true, .messages = std::move(scanned.messages)};
}

TListingOutcome WriteLiveUpdateDirList(const TListingSettings& settings,
                                       const fs::path& listingFile, const TFileCatalogue& catalogue,
                                       SystemServices& sys) {
  TListingOutcome outcome;
  outcome.packageName = PackageNameOf(settings.version);
  TListingWriter writer(settings.maintainerMode);
  {
    BusyCursor busy(sys.ui);
    // Each group's messages are shown as soon as it is listed, under the busy cursor.
    const auto list = [&](std::string_view word, const fs::path& folder, int mode) {
      const TGroupOutcome group =
          WriteDirListing(writer, word, folder, VEKModule, mode, settings, catalogue);
      for (const std::string& message : group.messages)
        ShowProgramMessage(message, sys.ui);
      return group.ok;
    };
    const fs::path& program = settings.programFolder;
    if (!list("VEK", program, kListingNew)) {
      outcome.status = TListingOutcome::PackageMissing;
      return outcome;
    }
    outcome.vekModuleListed = true;
    const fs::path sounds = FindFileIgnoringCase(program, "SOUNDS");
    list("SOUNDS", sounds, kListingAppend);
    list("SURAS", FindFileIgnoringCase(sounds, "SURAS"), kListingAppend);
  }
  std::error_code ec;
  fs::create_directories(listingFile.parent_path(), ec);
  fs::path failed = listingFile;
  int e = ec.value();
  if (e == 0)
    e = WriteFileReplacing(listingFile, writer.Bytes(), sys.fs);
  if (e == 0 && settings.maintainerMode) {
    failed = listingFile.string() + "TXT";
    e = WriteFileReplacing(failed, writer.TextTwin(), sys.fs);
  }
  if (e != 0) {
    ShowProgramMessage(FileWriteErrorText(failed, e, settings.language), sys.ui);
    outcome.status = TListingOutcome::WriteFailed;
    return outcome;
  }
  outcome.status = TListingOutcome::Written;
  if (settings.maintainerMode)
    ShowProgramMessage(ReadyToUploadText(listingFile), sys.ui);
  return outcome;
}

std::string DriveKindText(const fs::path& folder) {
  return std::string(IsCDRomDrive(folder) ? "***CD-ROM***" : "(Not a CD-ROM)") +
         (DriveIsWritable(folder) ? "  WRITABLE DISK" : "  ***NON-WRITABLE*** DISK");
}

void WriteTextListing(const fs::path& folder, std::string_view reportName, std::string& text) {
  const std::string folderText = FolderText(folder);
  const std::string rule = ";" + RepeatChar('=', 70);
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    text += rule + "\r\n;NO SUCH DIRECTORY: " + folderText + "\r\n" + rule + "\r\n";
    return;
  }
  struct Line {
    std::string name;
    struct stat st;
  };
  std::vector<Line> files;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    Line line{it->path().filename().string(), {}};
    if (::stat(it->path().c_str(), &line.st) == 0 && S_ISREG(line.st.st_mode))
      files.push_back(std::move(line));
  }
  std::sort(files.begin(), files.end(),
            [](const Line& a, const Line& b) { return a.name < b.name; });
  auto pad = [](std::string s, std::size_t width, bool right) {
    if (s.size() < width)
      s = right ? RepeatChar(' ', width - s.size()) + s : s + RepeatChar(' ', width - s.size());
    return s;
  };
  text += ";Directory: " + folderText + "\r\n";
  text += ";Total Items: " + std::to_string(files.size()) + "\r\n";
  text += pad("FILE-NAME", 32, false) + pad(" SIZE(bytes)", 15, true) + " Year" + " Mo" + " Dy" +
          " hr:mn:sc" + " File-Attribute" + "\r\n";
  text += ";FILE-NAME SIZE(bytes) Date(YMDHMS)\r\n";
  for (const Line& file : files) {
    std::string date = pad("", 20, false);
    if (const auto stamp = DosDateTimeOfFileTime(file.st.st_mtim.tv_sec)) {
      const DosDateTimeParts p = *UnpackDosDateTime(*stamp);
      date = " " + std::to_string(p.year) + " " + TwoDigitStr(p.month) + " " + TwoDigitStr(p.day) +
             " " + TwoDigitStr(p.hour) + ":" + TwoDigitStr(p.minute) + ":" + TwoDigitStr(p.second);
    }
    std::string attributes;
    if (file.name.starts_with('.'))
      attributes += " Hidden";
    if ((file.st.st_mode & S_IWUSR) == 0)
      attributes += " ReadOnly";
    attributes += " Archive";
    text += pad(file.name, 32, false) + " " +
            pad(AddThousandsSeparators(std::to_string(file.st.st_size)), 14, true) + date +
            attributes + "\r\n";
  }
  text += ";====== " + std::string(reportName) + ": END OF FILE ========\r\n";
}

std::optional<TTwinText> WriteDirsReport(const fs::path& programFolder, FileSystem& files) {
  const fs::path sounds = FindFileIgnoringCase(programFolder, "SOUNDS");
  std::string text = ";" + FolderText(programFolder) + "  " + DriveKindText(programFolder) + "\r\n";
  for (const fs::path& folder : {programFolder, sounds, FindFileIgnoringCase(sounds, "SURAS")}) {
    text += "\r\n";
    WriteTextListing(folder, kDirsReportName, text);
  }
  const fs::path report = programFolder / kDirsReportName;
  if (const int e = WriteFileReplacing(report, Utf8ToCp1256Lossy(text), files); e != 0)
    return TTwinText{FileWriteErrorText(report, e, Language::English),
                     FileWriteErrorText(report, e, Language::Arabic)};
  return std::nullopt;
}

}  // namespace vek
