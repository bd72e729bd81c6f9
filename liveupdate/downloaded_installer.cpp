#include "liveupdate/downloaded_installer.h"

#include <algorithm>
#include <vector>

#include "foundation/busy_wait.h"
#include "foundation/file_helpers.h"
#include "foundation/folder_walk.h"
#include "foundation/program_folder.h"
#include "foundation/text.h"
#include "liveupdate/live_update_files.h"
#include "sounds/sound_files.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

// An installer of an older version, left in the program folder under its fixed name.
constexpr const char* kOldInstallerName = "GO-VEK.EXE";

void MoveInstaller(const fs::path& found, const fs::path& programFolder, Language lang,
                   SystemServices& sys) {
  const auto text = [lang](const char* english, const char* arabic) {
    return std::string(ByLanguage(lang, english, arabic));
  };
  UiServices& ui = sys.ui;
  std::error_code ec;
  const std::string path = found.string();
  const std::string target = (programFolder / kDownloadedFilesFolder).string() + "/";
  ui.ShowMessage(
      text("An attempt will be made to move the Installation file\r\n",
           "ستجري محاولة نقل ملف التثبيت\r\n") +
      path + "\r\n" + text("to the directory:", "إلى المجلد:") + "\r\n" + target + "\r\n\r\n" +
      text("Please wait after closing this window", "يرجى الانتظار بعد إغلاق هذه النافذة"));
  WaitWithHourglass(10, ui, sys.clock);
  bool moved = false;
  constexpr int kTries = 5;
  for (int tries = 0; fs::exists(found, ec) && tries < kTries; ++tries) {
    sys.fs.SetWritable(found, true);
    const bool ok =
        SafeRenameFile(found, programFolder / kDownloadedFilesFolder / found.filename(), sys);
    moved = moved || ok;
    if (!ok)
      WaitWithHourglass(5, ui, sys.clock);
    // Another try follows only while tries are left; after the last, the failure is told.
    if (tries + 1 < kTries && fs::exists(found, ec))
      ui.ShowMessage(text("File could not be moved\r\n", "تعذر نقل الملف\r\n") + path + "\r\n" +
                     text("Will try again now", "ستعاد المحاولة الآن"));
  }
  if (moved) {
    ui.ShowMessage(text("The Installation file\r\n", "ملف التثبيت\r\n") + path + "\r\n" +
                   text("has been moved successfully to the directory:", "نُقل بنجاح إلى المجلد:") +
                   "\r\n" + target);
  } else {
    ui.Beep();
    ui.ShowMessage(text("Failed moving the Installation file\r\n", "فشل نقل ملف التثبيت\r\n") +
                   path + "\r\n\r\n" +
                   text("It is recommended to remove it manually from its current directory",
                        "يُنصح بإزالته يدوياً من مجلده الحالي") +
                   "\r\n" +
                   text("to prevent future prompts about installing it",
                        "لتجنب السؤال عن تثبيته في المرات القادمة"));
  }
}

}  // namespace

std::optional<FoundInstaller> TakeDownloadedInstaller(const fs::path& programFolder, bool moveIt,
                                                      Language lang, SystemServices& sys) {
  std::error_code ec;
  const fs::path old = FindFileIgnoringCase(programFolder, kOldInstallerName);
  if (fs::exists(old, ec))
    ForceDeleteFile(old, sys.fs);

  // The first "ZUZUZ*.EXE" in name order.
  std::vector<fs::path> candidates;
  for (const fs::directory_entry& e : FolderEntries(programFolder)) {
    const std::string name = AsciiUpper(e.path().filename().string());
    if (name.starts_with(kPackagePrefix) && name.ends_with(".EXE") && IsRegularFileEntry(e))
      candidates.push_back(e.path());
  }
  std::sort(candidates.begin(), candidates.end());
  if (candidates.empty())
    return std::nullopt;
  const fs::path& found = candidates.front();
  FoundInstaller installer{found.string(), false};
  if (moveIt) {
    MoveInstaller(found, programFolder, lang, sys);
  } else {
    installer.run =
        sys.ui.AskNoYes(
            std::string(ByLanguage(lang, "Found Installation file: ", "وُجد ملف تثبيت: ")) +
                installer.path + "\r\n" +
                ByLanguage(lang, "Do you want to run it?", "هل تريد تشغيله؟"),
            lang == Language::Arabic ? kArabicCaptions : kEnglishCaptions) == 1;
  }
  return installer;
}

}  // namespace vek
