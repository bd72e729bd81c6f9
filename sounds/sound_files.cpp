#include "sounds/sound_files.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <system_error>

#include "foundation/conversions.h"
#include "foundation/dos_error.h"
#include "foundation/file_helpers.h"
#include "foundation/folder_walk.h"
#include "foundation/program_folder.h"
#include "foundation/text.h"
#include "foundation/zip_entry.h"
#include "program/settings_converters.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

// Short names under which recitations of the suras 107..114 were stored; empty: none.
constexpr int kFirstAliasedSura = 107;
constexpr std::array<std::string_view, 8> kSuraAliases = {
    "MAAOON", "", "", "", "", "IKHLAAS", "FALAQ", "NAAS",
};

bool IsFile(const fs::path& file) {
  std::error_code ec;
  return fs::is_regular_file(file, ec);
}

std::string UpperName(const fs::path& file) {
  return AsciiUpper(file.filename().string());
}

bool HasExtension(const std::string& upperName, std::string_view extension) {
  return upperName.size() > extension.size() && upperName.ends_with(extension);
}

// True when upperName is "S" + n + extension for a recitation number n (no leading zeros).
bool IsSuraName(const std::string& upperName, std::string_view extension) {
  for (int n = 0; n <= kLastSura; ++n)
    if (upperName == SuraFileName(n, extension))
      return true;
  return false;
}

// The regular files of folder whose upper-case name passes the test, in name order (the
// folder's own order differs from one file system to the next).
template <typename Test>
std::vector<fs::path> FilesOf(const fs::path& folder, Test test) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : FolderEntries(folder))
    if (IsRegularFileEntry(entry) && test(UpperName(entry.path())))
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Moves the file of folder named name (ignoring case), when there is one, over target.
void MoveIfPresent(const fs::path& folder, const std::string& name, const fs::path& target,
                   SystemServices& sys) {
  const fs::path source = FindFileIgnoringCase(folder, name);
  if (IsFile(source))
    SafeRenameFile(source, target, sys);
}

int CaptionOption(Language lang) {
  return lang == Language::Arabic ? kArabicCaptions : kEnglishCaptions;
}

// The storage folder as the messages name it.
std::string DownloadedFilesText(const fs::path& programFolder) {
  return (programFolder / kDownloadedFilesFolder).string() + "/";
}

void CopyUnlessInstalled(const fs::path& sounds, const fs::path& suras, const std::string& alias,
                         const std::string& numbered, SystemServices& sys) {
  if (IsFile(FindFileIgnoringCase(sounds, numbered)) ||
      IsFile(FindFileIgnoringCase(suras, numbered)))
    return;
  const fs::path source = FindFileIgnoringCase(sounds, alias);
  if (IsFile(source))
    CopyFileKeepDate(source, sounds / numbered, sys);
}

// Why unpacking a sound archive failed, in lang: an entry too large or a sound file that could not
// be written say so; anything else is a damaged archive, to be downloaded again.
std::string UnpackFailureText(const ZipEntryResult& unpacked, const fs::path& wave, Language lang) {
  switch (unpacked.status) {
    case ZipEntryStatus::TooLarge:
      return ZipEntryTooLargeText(unpacked, lang);
    case ZipEntryStatus::NoRoom: {
      const std::string size = ThousandsOf(static_cast<std::int64_t>(unpacked.entrySize));
      const std::string free = ThousandsOf(static_cast<std::int64_t>(unpacked.freeBytes));
      return ByLanguage(lang,
                        "Not enough free space on the disk for " + unpacked.entryName +
                            ": it needs " + size + " bytes, and only " + free +
                            " bytes are free in",
                        "لا توجد مساحة كافية على القرص لـ " + unpacked.entryName + ": يحتاج إلى " +
                            size + " بايت، والمتاح " + free + " بايت فقط في") +
             std::string("\r\n") + wave.parent_path().string();
    }
    case ZipEntryStatus::WriteFailed:
      return ByLanguage(lang, "The sound file could not be written:", "تعذرت كتابة ملف الصوت:") +
             std::string("\r\n") + wave.string() + "\r\n" + IoErrorText(unpacked.errnoValue, lang);
    default:
      return std::string(
                 ByLanguage(lang, "This is not a valid ZIP file", "هذا ليس ملف ZIP صالحاً")) +
             "\r\n" +
             ByLanguage(lang, "If you just downloaded it, please download it again",
                        "إذا كنت قد نزّلته للتو، فالرجاء تنزيله مرة أخرى") +
             "\r\n" + ByLanguage(lang, "then retry this operation", "ثم أعد محاولة هذه العملية");
  }
}

}  // namespace

std::string SuraFileName(int n, std::string_view extension) {
  std::string name = "S";
  name += std::to_string(n);
  name += extension;
  return name;
}

void ScanSoundFiles(const fs::path& programFolder, SystemServices& sys) {
  const fs::path sounds = programFolder / kSoundsFolder;
  const fs::path suras = sounds / kSurasFolder;
  std::error_code ec;
  fs::create_directories(suras, ec);

  const auto isWave = [](const std::string& name) { return HasExtension(name, ".WAV"); };
  for (const fs::path& file : FilesOf(programFolder, isWave))
    SafeRenameFile(file, sounds / UpperName(file), sys);

  // The copies stand in for recitations that are not installed yet; an installed one (already
  // moved on to SURAS by an earlier start) is kept.
  CopyUnlessInstalled(sounds, suras, "TAAWUZ.WAV", "S0.WAV", sys);
  CopyUnlessInstalled(sounds, suras, "SADAQA.WAV", "S115.WAV", sys);

  const auto isSura = [](const std::string& name) { return IsSuraName(name, ".WAV"); };
  for (const fs::path& file : FilesOf(sounds, isSura))
    SafeRenameFile(file, suras / UpperName(file), sys);

  // Sura 30, verses 16-19; a later source replaces an earlier one.
  const fs::path s30 = suras / "S30.WAV";
  MoveIfPresent(sounds, "S30.WAV", s30, sys);
  MoveIfPresent(programFolder, "S30.WAV", s30, sys);
  MoveIfPresent(suras, "30-16-19.WAV", s30, sys);
  MoveIfPresent(sounds, "30-16-19.WAV", s30, sys);
  MoveIfPresent(programFolder, "30-16-19.WAV", s30, sys);

  const fs::path s107 = suras / "S107.WAV";
  MoveIfPresent(programFolder, "MAOON.WAV", s107, sys);
  MoveIfPresent(sounds, "MAOON.WAV", s107, sys);

  for (std::size_t i = 0; i < kSuraAliases.size(); ++i) {
    if (kSuraAliases[i].empty())
      continue;
    const std::string alias = std::string(kSuraAliases[i]) + ".WAV";
    const fs::path target = suras / SuraFileName(kFirstAliasedSura + static_cast<int>(i), ".WAV");
    MoveIfPresent(programFolder, alias, target, sys);
    MoveIfPresent(sounds, alias, target, sys);
  }
}

bool InstallSoundArchive(const fs::path& folder, const std::string& stem, std::string& prefix,
                         std::string& extension, SystemServices& sys, Language lang) {
  if (IsFile(FindFileIgnoringCase(folder, stem + ".ZIP"))) {
    prefix.clear();
    extension = "ZIP";
  } else {
    prefix = "GO-";
    extension = "Z";
  }
  const fs::path archive = FindFileIgnoringCase(folder, prefix + stem + "." + extension);
  if (!IsFile(archive))
    return false;

  const std::string waveName = stem + ".WAV";
  const fs::path wave = folder / waveName;
  // The working sound file is put aside, not lost: it comes back when the archive is damaged.
  const fs::path old = FindFileIgnoringCase(folder, waveName);
  const fs::path kept = folder / (stem + ".TMPZIP");
  const bool putAside = IsFile(old) && SafeRenameFile(old, kept, sys);

  // The program's own cap, whatever the disk; and never more than the disk has free.
  const ZipEntryResult unpacked = ExtractZipEntry(archive, waveName, wave, kMaxWaveBytes, &sys.fs);
  const bool installed = unpacked.ok() && IsFile(wave);
  if (putAside) {
    if (installed)
      ForceDeleteFile(kept, sys.fs);
    else
      SafeRenameFile(kept, old, sys);
  }
  if (!installed)
    ShowProgramMessage(archive.string() + "\r\n" + UnpackFailureText(unpacked, wave, lang), sys.ui);
  return installed;
}

std::string SoundArchiveStem(std::string_view archiveName) {
  const std::string upper = AsciiUpper(archiveName);
  if (upper == "GO-AZHM1.Z")
    return "AZHAN_M1";
  std::string stem;
  if (upper.starts_with("GO-") && HasExtension(upper, ".Z"))
    stem = upper.substr(3, upper.size() - 5);
  else if (HasExtension(upper, ".ZIP"))
    stem = upper.substr(0, upper.size() - 4);
  else
    return {};
  for (const std::string_view file : AzhanFiles)
    if (stem == StripFromFirstDot(file))
      return stem;
  return IsSuraName(stem + ".WAV", ".WAV") ? stem : std::string();
}

void BringSoundArchivesHome(const fs::path& programFolder, SystemServices& sys) {
  const fs::path sounds = programFolder / kSoundsFolder;
  const fs::path suras = sounds / kSurasFolder;
  const auto isSuraArchive = [](const std::string& name) { return IsSuraName(name, ".ZIP"); };
  for (const fs::path& folder : {sounds, suras})
    for (const fs::path& file : FilesOf(folder, isSuraArchive))
      SafeRenameFile(file, programFolder / UpperName(file), sys);

  // The first adhan's archive under its older name.
  for (const fs::path& folder : {programFolder, sounds})
    MoveIfPresent(folder, "GO-AZHM1.Z", folder / "GO-AZHAN_M1.Z", sys);

  const auto isZ = [](const std::string& name) { return HasExtension(name, ".Z"); };
  for (const fs::path& folder : {sounds, suras})
    for (const fs::path& file : FilesOf(folder, isZ))
      SafeRenameFile(file, programFolder / UpperName(file), sys);
}

std::vector<fs::path> CopyDesktopArchives(const fs::path& programFolder,
                                          const fs::path& desktopFolder, SystemServices& sys,
                                          Language lang) {
  std::vector<fs::path> copied;
  if (desktopFolder.empty())
    return copied;
  std::string names;
  const auto isZ = [](const std::string& name) { return HasExtension(name, ".Z"); };
  for (const fs::path& file : FilesOf(desktopFolder, isZ)) {
    if (!CopyFileKeepDate(file, programFolder / UpperName(file), sys))
      continue;
    copied.push_back(file);
    names += file.filename().string() + " ";
  }
  if (copied.empty())
    return copied;

  const bool one = copied.size() == 1;
  const Language l = lang;
  ShowProgramMessage(
      std::string(one ? ByLanguage(l, "The file\n", "الملف\n")
                      : ByLanguage(l, "The files\n", "الملفات\n")) +
          names + "\n" +
          (one ? ByLanguage(l, "was found on your DeskTop", "وُجد على سطح المكتب")
               : ByLanguage(l, "were found on your DeskTop", "وُجدت على سطح المكتب")) +
          "\n" +
          (one ? ByLanguage(
                     l,
                     "it is currently being installed, and a copy of it will be saved in the "
                     "directory",
                     "وهو قيد التثبيت الآن، وستُحفظ نسخة منه في المجلد")
               : ByLanguage(
                     l,
                     "they are currently being installed, and a copy of them will be saved in "
                     "the directory",
                     "وهي قيد التثبيت الآن، وستُحفظ نسخة منها في المجلد")) +
          "\n" + DownloadedFilesText(programFolder) + "\n" +
          (one ? ByLanguage(l, "It is therefore recommended to delete it from the DeskTop",
                            "لذلك يُنصح بحذفه من سطح المكتب")
               : ByLanguage(l, "It is therefore recommended to delete them from the DeskTop",
                            "لذلك يُنصح بحذفها من سطح المكتب")),
      sys.ui);
  return copied;
}

void InstallFoundArchives(const fs::path& programFolder,
                          const std::vector<fs::path>& copiedDesktopFiles, SystemServices& sys,
                          Language lang) {
  const fs::path downloaded = programFolder / kDownloadedFilesFolder;
  std::error_code ec;
  fs::create_directories(downloaded, ec);

  std::string list;
  int count = 0;
  // Installs base's archive from folder and keeps it in DOWNLOADED FILES; answers the archive's
  // name, or empty when it was not installed or could not be kept.
  const auto install = [&](const fs::path& folder, const std::string& base) -> std::string {
    std::string prefix;
    std::string extension;
    if (!InstallSoundArchive(folder, base, prefix, extension, sys, lang))
      return {};
    const std::string name = prefix + base + "." + extension;
    const fs::path archive = FindFileIgnoringCase(folder, name);
    if (!IsFile(archive) || !SafeRenameFile(archive, downloaded / name, sys))
      return {};
    ++count;
    return name;
  };

  for (const std::string_view file : AzhanFiles)
    if (!install(programFolder, StripFromFirstDot(file)).empty())
      list += std::string(file) + " ";
  if (count > 0)
    list += "\n";
  for (const fs::path& folder : {programFolder, programFolder / kSoundsFolder})
    for (int n = 0; n <= kLastSura; ++n)
      if (const std::string name = install(folder, SuraFileName(n, "")); !name.empty())
        list += name + " ";
  if (count == 0)
    return;

  const bool one = count == 1;
  const Language l = lang;
  std::string text =
      std::string(one ? ByLanguage(l, "Finished installing the file\n", "انتهى تثبيت الملف\n")
                      : ByLanguage(l, "Finished installing the files\n", "انتهى تثبيت الملفات\n")) +
      list + "\n" +
      // Where the archives came from: the desktop when any was copied from there, else the
      // program folder (where Live Update and the user leave them).
      (copiedDesktopFiles.empty() ? ByLanguage(l, "from the program folder", "من مجلد البرنامج")
                                  : ByLanguage(l, "from your DeskTop", "من سطح المكتب")) +
      "\n" +
      (one ? ByLanguage(l, "and a backup copy of it was saved in the special storage directory",
                        "وحُفظت نسخة احتياطية منه في مجلد الحفظ الخاص")
           : ByLanguage(l,
                        "and a backup copy of each file was saved in the special storage directory",
                        "وحُفظت نسخة احتياطية من كل ملف في مجلد الحفظ الخاص")) +
      "\n" + DownloadedFilesText(programFolder);
  if (copiedDesktopFiles.empty()) {
    ShowProgramMessage(text, sys.ui);
    return;
  }
  text += std::string("\n") +
          (copiedDesktopFiles.size() == 1
               ? ByLanguage(l, "Do you want to delete the original copy from the DeskTop",
                            "هل تريد حذف النسخة الأصلية من سطح المكتب")
               : ByLanguage(l, "Do you want to delete the original copies from the DeskTop",
                            "هل تريد حذف النسخ الأصلية من سطح المكتب")) +
          "\n" +
          ByLanguage(l, "to prevent reinstallation when restarting the program again",
                     "لتجنب إعادة التثبيت عند تشغيل البرنامج مرة أخرى؟");
  if (sys.ui.AskNoYes(text, CaptionOption(lang)) == 1)
    for (const fs::path& file : copiedDesktopFiles)
      ForceDeleteFile(file, sys.fs);
}

std::array<bool, 8> PresentAzhanFiles(const fs::path& programFolder) {
  std::array<bool, 8> present{};
  for (std::size_t i = 0; i < AzhanFiles.size(); ++i) {
    const std::string file(AzhanFiles[i]);
    present[i] = IsFile(FindFileIgnoringCase(programFolder / kSoundsFolder, file)) ||
                 IsFile(FindFileIgnoringCase(programFolder, file));
  }
  return present;
}

}  // namespace vek
