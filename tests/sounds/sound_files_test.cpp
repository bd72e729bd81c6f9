#include "sounds/sound_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "foundation/conversions.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"
#include "support/fake_ui.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"
#include "support/zip_archive.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::ExpectFileBytes;
using testing::FakeClock;
using testing::FakeUi;
using testing::MakeWave;
using testing::TempDir;

void Write(const fs::path& file, const std::string& data) {
  fs::create_directories(file.parent_path());
  ASSERT_EQ(0, WriteFileReplacing(file, data)) << file;
}

// Every file under folder, as paths relative to it.
std::set<std::string> FilesUnder(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      names.insert(entry.path().lexically_relative(folder).generic_string());
  return names;
}

using Entry = testing::ZipEntry;
using testing::AnnounceEntrySize;
using testing::MakeZip;

// Three recordings that differ, so that a test can tell which one ended where.
const std::string kWaveA = MakeWave(0.05, 440);
const std::string kWaveB = MakeWave(0.05, 660);
const std::string kWaveC = MakeWave(0.07, 880);

class SoundFiles : public ::testing::Test {
 protected:
  SoundFiles() {
    fs::create_directories(prog);
    fs::create_directories(desktop);
  }

  TempDir root;
  const fs::path prog = root.path() / "prog";
  const fs::path desktop = root.path() / "Desktop";
  FakeUi ui;
  FakeClock clock;
  SystemServices sys{ui, clock};
};

// ---------------------------------------------------------------------------------------------
// ScanSoundFiles

TEST_F(SoundFiles, ScanPutsEveryWaveFileUnderItsNumberedName) {
  Write(prog / "azhan_m1.wav", kWaveA);
  Write(prog / "maaoon.wav", kWaveA);    // alias of sura 107, in lower case
  Write(prog / "s5.wav", kWaveA);        // a recitation by number
  Write(prog / "S30.WAV", kWaveA);       // sura 30 under both of its names:
  Write(prog / "30-16-19.WAV", kWaveB);  // the later one in the order of the moves wins
  Write(prog / "SOUNDS" / "Falaq.wav", kWaveA);
  Write(prog / "SOUNDS" / "SURAS" / "S112.WAV", kWaveA);
  Write(prog / "SOUNDS" / "ikhlaas.wav", kWaveC);  // replaces the installed one
  Write(prog / "S05.WAV", kWaveA);                 // not a recitation name: stays in SOUNDS
  Write(prog / "S116.WAV", kWaveA);
  Write(prog / "VEK.LOC", "locations");

  ScanSoundFiles(prog, sys);

  EXPECT_EQ(
      (std::set<std::string>{"VEK.LOC", "SOUNDS/AZHAN_M1.WAV", "SOUNDS/S05.WAV", "SOUNDS/S116.WAV",
                             "SOUNDS/SURAS/S5.WAV", "SOUNDS/SURAS/S30.WAV", "SOUNDS/SURAS/S107.WAV",
                             "SOUNDS/SURAS/S112.WAV", "SOUNDS/SURAS/S113.WAV"}),
      FilesUnder(prog));
  EXPECT_EQ(kWaveB, ExpectFileBytes(prog / "SOUNDS" / "SURAS" / "S30.WAV"));
  EXPECT_EQ(kWaveC, ExpectFileBytes(prog / "SOUNDS" / "SURAS" / "S112.WAV"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SoundFiles, ScanCopiesTheOpeningAndClosingFormulasOnlyWhenNotInstalled) {
  Write(prog / "SOUNDS" / "TAAWUZ.WAV", kWaveA);
  Write(prog / "SOUNDS" / "SADAQA.WAV", kWaveA);
  Write(prog / "SOUNDS" / "SURAS" / "S115.WAV", kWaveB);  // a downloaded closing formula
  const auto date = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
  fs::last_write_time(prog / "SOUNDS" / "TAAWUZ.WAV", date);

  ScanSoundFiles(prog, sys);
  ScanSoundFiles(prog, sys);  // the next start changes nothing

  EXPECT_EQ((std::set<std::string>{"SOUNDS/TAAWUZ.WAV", "SOUNDS/SADAQA.WAV", "SOUNDS/SURAS/S0.WAV",
                                   "SOUNDS/SURAS/S115.WAV"}),
            FilesUnder(prog));
  EXPECT_EQ(kWaveA, ExpectFileBytes(prog / "SOUNDS" / "SURAS" / "S0.WAV"));
  EXPECT_EQ(date, fs::last_write_time(prog / "SOUNDS" / "SURAS" / "S0.WAV"));
  EXPECT_EQ(kWaveB, ExpectFileBytes(prog / "SOUNDS" / "SURAS" / "S115.WAV"));
}

// ---------------------------------------------------------------------------------------------
// InstallSoundArchive

TEST_F(SoundFiles, InstallPrefersTheZipArchiveAndFallsBackToTheDownloadedOne) {
  struct Case {
    bool zip;        // S5.ZIP holds kWaveB
    bool goZ;        // go-s5.z holds kWaveC
    bool installed;  // S5.WAV (kWaveA) is already there
    const char* prefix;
    const char* extension;
    const std::string* result;
  };
  const Case cases[] = {
      {true, true, true, "", "ZIP", &kWaveB},
      {false, true, true, "GO-", "Z", &kWaveC},
      {false, true, false, "GO-", "Z", &kWaveC},
      {false, false, true, "GO-", "Z", &kWaveA},  // no archive: nothing happens
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.zip << c.goZ << c.installed);
    TempDir dir;
    std::set<std::string> expected = {"S5.WAV"};
    if (c.zip) {
      MakeZip(dir.path() / "S5.ZIP", {{"S5.WAV", kWaveB}});
      expected.insert("S5.ZIP");
    }
    if (c.goZ) {
      MakeZip(dir.path() / "go-s5.z", {{"s5.wav", kWaveC}});
      expected.insert("go-s5.z");
    }
    if (c.installed)
      Write(dir.path() / "S5.WAV", kWaveA);
    FakeUi quiet;
    SystemServices s{quiet, clock};
    std::string prefix = "?";
    std::string extension = "?";

    EXPECT_EQ(c.zip || c.goZ,
              InstallSoundArchive(dir.path(), "S5", prefix, extension, s, Language::English));

    EXPECT_EQ(c.prefix, prefix);
    EXPECT_EQ(c.extension, extension);
    EXPECT_EQ(expected, FilesUnder(dir.path()));  // the old file put aside is gone
    EXPECT_EQ(*c.result, ExpectFileBytes(dir.path() / "S5.WAV"));
    EXPECT_TRUE(quiet.messages.empty());
  }
}

TEST_F(SoundFiles, ADamagedArchiveKeepsTheWorkingSoundAndSaysSo) {
  const fs::path good = root.path() / "good.zip";
  MakeZip(good, {{"S5.WAV", kWaveB}}, /*store=*/true);
  const std::string bytes = ExpectFileBytes(good);
  std::string badData = bytes;
  badData[badData.find("WAVEfmt") + 200] ^= 0x55;  // the checksum no longer matches

  struct Case {
    const char* what;
    std::string archive;  // the bytes of GO-S5.Z; empty: made from entries
    std::vector<Entry> entries;
  };
  const fs::path outside = root.path() / "outside";
  const Case cases[] = {
      {"not an archive", "MZ this is no ZIP file at all", {}},
      {"cut short", bytes.substr(0, bytes.size() / 2), {}},
      {"damaged data", badData, {}},
      {"no such entry", "", {{"S6.WAV", kWaveB}}},
      {"only entries outside the folder",
       "",
       {{"../S5.WAV", kWaveB}, {(outside / "S5.WAV").string(), kWaveB}, {"SUB/S5.WAV", kWaveB}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path archive = dir.path() / "GO-S5.Z";
    if (c.entries.empty())
      Write(archive, c.archive);
    else
      MakeZip(archive, c.entries);
    Write(dir.path() / "s5.wav", kWaveA);
    FakeUi seen;
    SystemServices s{seen, clock};
    std::string prefix;
    std::string extension;

    EXPECT_FALSE(InstallSoundArchive(dir.path(), "S5", prefix, extension, s, Language::English));

    EXPECT_EQ((std::set<std::string>{"GO-S5.Z", "s5.wav"}), FilesUnder(dir.path()));
    EXPECT_EQ(kWaveA, ExpectFileBytes(dir.path() / "s5.wav"));
    EXPECT_FALSE(fs::exists(dir.path().parent_path() / "S5.WAV"));
    EXPECT_FALSE(fs::exists(outside));
    ASSERT_EQ(1u, seen.messages.size());
    EXPECT_EQ(archive.string() +
                  "\r\nThis is not a valid ZIP file\r\nIf you just downloaded it, please "
                  "download it again\r\nthen retry this operation",
              seen.messages[0]);
  }

  Write(prog / "GO-S5.Z", "no ZIP");
  std::string prefix;
  std::string extension;
  EXPECT_FALSE(InstallSoundArchive(prog, "S5", prefix, extension, sys, Language::Arabic));
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ((prog / "GO-S5.Z").string() +
                "\r\nهذا ليس ملف ZIP صالحاً\r\nإذا كنت قد نزّلته للتو، فالرجاء تنزيله مرة "
                "أخرى\r\nثم أعد محاولة هذه العملية",
            ui.messages[0]);
}

// An entry announced larger than any sound is refused before anything is written, and the message
// names the entry and its size, not a damaged archive; one within the limit is unpacked as usual
// (here its data are shorter than announced, so the archive is damaged after all).
TEST_F(SoundFiles, AnEntryTooLargeForASoundIsNamedWithItsSize) {
  constexpr std::uint32_t kLimit = 512u << 20;
  const struct {
    std::uint32_t announced;
    Language lang;
    std::string cause;
  } cases[] = {
      {1u << 30, Language::English,
       "The file s5.wav in it is too large: 1073741824 bytes (at most 512 MiB)"},
      {1u << 30, Language::Arabic,
       "الملف s5.wav فيه أكبر من اللازم: 1073741824 بايت (الحد الأقصى 512 ميغابايت)"},
      {kLimit + 1, Language::English,
       "The file s5.wav in it is too large: 536870913 bytes (at most 512 MiB)"},
      {kLimit, Language::English,
       "This is not a valid ZIP file\r\nIf you just downloaded it, please download it "
       "again\r\nthen retry this operation"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.announced);
    TempDir dir;
    const fs::path archive = dir.path() / "S5.ZIP";
    MakeZip(archive, {{"s5.wav", kWaveB}});
    AnnounceEntrySize(archive, "s5.wav", c.announced);
    Write(dir.path() / "S5.WAV", kWaveA);
    FakeUi seen;
    SystemServices s{seen, clock};
    std::string prefix;
    std::string extension;

    EXPECT_FALSE(InstallSoundArchive(dir.path(), "S5", prefix, extension, s, c.lang));

    EXPECT_EQ((std::set<std::string>{"S5.ZIP", "S5.WAV"}), FilesUnder(dir.path()));
    EXPECT_EQ(kWaveA, ExpectFileBytes(dir.path() / "S5.WAV"));
    EXPECT_EQ(std::vector<std::string>{archive.string() + "\r\n" + c.cause}, seen.messages);
  }
}

// The start-up unpacks no more than the disk has free: the working sound stays, nothing is
// written, and the message says how much room the sound needs.
TEST_F(SoundFiles, ASoundLargerThanTheFreeSpaceIsNotUnpacked) {
  MakeZip(prog / "S5.ZIP", {{"S5.WAV", kWaveB}});
  Write(prog / "S5.WAV", kWaveA);
  testing::FakeFileSystem files;
  SystemServices s{ui, clock, files};
  std::string prefix;
  std::string extension;
  const std::string size = ThousandsOf(static_cast<std::int64_t>(kWaveB.size()));
  const struct {
    Language lang;
    std::string says;
  } cases[] = {
      {Language::English, "Not enough free space on the disk for S5.WAV: it needs " + size +
                              " bytes, and only " + ThousandsOf(kWaveB.size() - 1) +
                              " bytes are free in"},
      {Language::Arabic, "لا توجد مساحة كافية على القرص لـ S5.WAV: يحتاج إلى " + size +
                             " بايت، والمتاح " + ThousandsOf(kWaveB.size() - 1) + " بايت فقط في"},
  };
  files.freeSpace = kWaveB.size() - 1;
  for (const auto& c : cases) {
    ui.messages.clear();
    EXPECT_FALSE(InstallSoundArchive(prog, "S5", prefix, extension, s, c.lang));
    EXPECT_EQ((std::set<std::string>{"S5.ZIP", "S5.WAV"}), FilesUnder(prog));
    EXPECT_EQ(kWaveA, ExpectFileBytes(prog / "S5.WAV"));
    EXPECT_EQ(std::vector<std::string>{(prog / "S5.ZIP").string() + "\r\n" + c.says + "\r\n" +
                                       prog.string()},
              ui.messages);
  }
  // Room for it: it is unpacked.
  files.freeSpace = kWaveB.size();
  EXPECT_TRUE(InstallSoundArchive(prog, "S5", prefix, extension, s, Language::English));
  EXPECT_EQ(kWaveB, ExpectFileBytes(prog / "S5.WAV"));
}

// A sound file that cannot be written is said to be so, with the system's reason, in the user's
// language.
TEST_F(SoundFiles, AWaveThatCannotBeWrittenIsNoDamagedArchive) {
  MakeZip(prog / "S5.ZIP", {{"S5.WAV", kWaveB}});
  fs::create_directory(prog / "S5.WAV");  // a folder where the sound should go
  std::string prefix;
  std::string extension;

  const struct {
    Language lang;
    const char* cannotWrite;
  } cases[] = {
      {Language::English, "The sound file could not be written:"},
      {Language::Arabic, "تعذرت كتابة ملف الصوت:"},
  };
  for (const auto& c : cases) {
    ui.messages.clear();
    EXPECT_FALSE(InstallSoundArchive(prog, "S5", prefix, extension, sys, c.lang));

    EXPECT_EQ((std::set<std::string>{"S5.ZIP"}), FilesUnder(prog));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ((prog / "S5.ZIP").string() + "\r\n" + c.cannotWrite + "\r\n" +
                  (prog / "S5.WAV").string() + "\r\n" + IoErrorText(EISDIR, c.lang),
              ui.messages[0]);
  }
}

TEST_F(SoundFiles, InstallWritesOnlyTheOneEntryToItsOwnPath) {
  const fs::path outside = root.path() / "outside";
  MakeZip(prog / "S5.ZIP", {{"../S5.WAV", kWaveC},
                            {(outside / "S5.WAV").string(), kWaveC},
                            {"SUB/S5.WAV", kWaveC},
                            {"S6.WAV", kWaveC},
                            {"s5.Wav", kWaveB}});
  std::string prefix;
  std::string extension;

  EXPECT_TRUE(InstallSoundArchive(prog, "S5", prefix, extension, sys, Language::English));

  EXPECT_EQ((std::set<std::string>{"S5.ZIP", "S5.WAV"}), FilesUnder(prog));
  EXPECT_EQ(kWaveB, ExpectFileBytes(prog / "S5.WAV"));
  EXPECT_EQ((std::set<std::string>{"Desktop", "prog"}), [&] {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(root.path()))
      names.insert(entry.path().filename().string());
    return names;
  }());
}

// ---------------------------------------------------------------------------------------------
// The start-up

TEST_F(SoundFiles, ArchivesInTheSoundFoldersAreBroughtToTheProgramFolder) {
  const fs::path sounds = prog / "SOUNDS";
  MakeZip(sounds / "s5.zip", {{"S5.WAV", kWaveA}});
  MakeZip(sounds / "SURAS" / "S7.ZIP", {{"S7.WAV", kWaveA}});
  MakeZip(sounds / "S05.ZIP", {{"S5.WAV", kWaveA}});  // no recitation archive's name
  MakeZip(sounds / "OTHER.ZIP", {{"OTHER.WAV", kWaveA}});
  MakeZip(prog / "GO-AZHM1.Z", {{"AZHAN_M1.WAV", kWaveA}});
  MakeZip(sounds / "go-maccah1.z", {{"MACCAH1.WAV", kWaveA}});
  MakeZip(sounds / "SURAS" / "GO-S9.Z", {{"S9.WAV", kWaveA}});

  BringSoundArchivesHome(prog, sys);

  EXPECT_EQ((std::set<std::string>{"S5.ZIP", "S7.ZIP", "GO-AZHAN_M1.Z", "GO-MACCAH1.Z", "GO-S9.Z",
                                   "SOUNDS/S05.ZIP", "SOUNDS/OTHER.ZIP"}),
            FilesUnder(prog));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SoundFiles, OneDesktopArchiveIsInstalledAndDeletedOnYes) {
  MakeZip(desktop / "go-s5.z", {{"S5.WAV", kWaveA}});
  Write(desktop / "notes.txt", "not an archive");
  const std::string store = (prog / "DOWNLOADED FILES").string() + "/";

  const std::vector<fs::path> copied = CopyDesktopArchives(prog, desktop, sys, Language::English);

  EXPECT_EQ(std::vector<fs::path>{desktop / "go-s5.z"}, copied);
  EXPECT_TRUE(fs::exists(prog / "GO-S5.Z"));
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(
      "The file\ngo-s5.z \nwas found on your DeskTop\nit is currently being installed, and "
      "a copy of it will be saved in the directory\n" +
          store + "\nIt is therefore recommended to delete it from the DeskTop",
      ui.messages[0]);

  ui.answers = {1};
  InstallFoundArchives(prog, copied, sys, Language::English);

  ASSERT_EQ(1u, ui.dialogs.size());
  EXPECT_EQ(
      "Finished installing the file\nGO-S5.Z \nfrom your DeskTop\nand a backup copy of it "
      "was saved in the special storage directory\n" +
          store +
          "\nDo you want to delete the original copy from the DeskTop\nto prevent "
          "reinstallation when restarting the program again",
      ui.dialogs[0].text);
  EXPECT_EQ(kEnglishCaptions, ui.dialogs[0].option);
  EXPECT_EQ((std::set<std::string>{"notes.txt"}), FilesUnder(desktop));
  EXPECT_EQ((std::set<std::string>{"S5.WAV", "DOWNLOADED FILES/GO-S5.Z"}), FilesUnder(prog));
  EXPECT_EQ(1u, ui.messages.size());
}

TEST_F(SoundFiles, SeveralArchivesAreListedAndNoKeepsTheDesktopCopies) {
  MakeZip(desktop / "GO-AZHAN_M1.Z", {{"AZHAN_M1.WAV", kWaveA}});
  MakeZip(desktop / "GO-S5.Z", {{"S5.WAV", kWaveA}});
  MakeZip(prog / "SOUNDS" / "S7.ZIP", {{"S7.WAV", kWaveA}});
  MakeZip(prog / "EGYPT1.ZIP", {{"EGYPT1.WAV", kWaveA}});
  const std::string store = (prog / "DOWNLOADED FILES").string() + "/";

  const std::vector<fs::path> copied = CopyDesktopArchives(prog, desktop, sys, Language::English);
  ui.answers = {0};
  InstallFoundArchives(prog, copied, sys, Language::English);

  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(
      "The files\nGO-AZHAN_M1.Z GO-S5.Z \nwere found on your DeskTop\nthey are currently "
      "being installed, and a copy of them will be saved in the directory\n" +
          store + "\nIt is therefore recommended to delete them from the DeskTop",
      ui.messages[0]);
  ASSERT_EQ(1u, ui.dialogs.size());
  EXPECT_EQ(
      "Finished installing the files\nAZHAN_M1.WAV EGYPT1.WAV \nGO-S5.Z S7.ZIP \nfrom "
      "your DeskTop\nand a backup copy of each file was saved in the special storage "
      "directory\n" +
          store +
          "\nDo you want to delete the original copies from the DeskTop\nto prevent "
          "reinstallation when restarting the program again",
      ui.dialogs[0].text);
  EXPECT_EQ((std::set<std::string>{"GO-AZHAN_M1.Z", "GO-S5.Z"}), FilesUnder(desktop));
  EXPECT_EQ((std::set<std::string>{"AZHAN_M1.WAV", "EGYPT1.WAV", "S5.WAV", "SOUNDS/S7.WAV",
                                   "DOWNLOADED FILES/GO-AZHAN_M1.Z", "DOWNLOADED FILES/EGYPT1.ZIP",
                                   "DOWNLOADED FILES/GO-S5.Z", "DOWNLOADED FILES/S7.ZIP"}),
            FilesUnder(prog));
}

TEST_F(SoundFiles, WithoutDesktopFilesTheListIsShownAndADamagedArchiveStays) {
  MakeZip(prog / "S9.ZIP", {{"S9.WAV", kWaveA}});
  Write(prog / "GO-S10.Z", "damaged");

  EXPECT_TRUE(CopyDesktopArchives(prog, fs::path(), sys, Language::Arabic).empty());
  EXPECT_TRUE(CopyDesktopArchives(prog, desktop, sys, Language::Arabic).empty());
  InstallFoundArchives(prog, {}, sys, Language::Arabic);

  EXPECT_TRUE(ui.dialogs.empty());
  ASSERT_EQ(2u, ui.messages.size());
  EXPECT_NE(std::string::npos, ui.messages[0].find("GO-S10.Z"));  // the damaged one's report
  EXPECT_EQ(
      "انتهى تثبيت الملف\nS9.ZIP \nمن مجلد البرنامج\nوحُفظت نسخة احتياطية منه في مجلد الحفظ "
      "الخاص\n" +
          (prog / "DOWNLOADED FILES").string() + "/",
      ui.messages[1]);
  EXPECT_EQ((std::set<std::string>{"S9.WAV", "GO-S10.Z", "DOWNLOADED FILES/S9.ZIP"}),
            FilesUnder(prog));
}

TEST_F(SoundFiles, TheFirstAdhanUnderItsOldArchiveNameIsInstalledAndFound) {
  MakeZip(prog / "GO-AZHM1.Z", {{"AZHAN_M1.WAV", kWaveA}});
  Write(prog / "SOUNDS" / "f-egypt2.wav", kWaveA);
  Write(prog / "maccah2.wav", kWaveA);
  fs::create_directories(prog / "SOUNDS" / "ALEPPO.WAV");  // a folder is no recording

  BringSoundArchivesHome(prog, sys);
  InstallFoundArchives(prog, CopyDesktopArchives(prog, desktop, sys, Language::English), sys,
                       Language::English);
  EXPECT_EQ((std::array<bool, 8>{true, false, false, false, false, true, false, true}),
            PresentAzhanFiles(prog));
  ScanSoundFiles(prog, sys);

  EXPECT_EQ(kWaveA, ExpectFileBytes(prog / "SOUNDS" / "AZHAN_M1.WAV"));
  EXPECT_TRUE(fs::exists(prog / "DOWNLOADED FILES" / "GO-AZHAN_M1.Z"));
  EXPECT_EQ((std::array<bool, 8>{true, false, false, false, false, true, false, true}),
            PresentAzhanFiles(prog));
}

}  // namespace
}  // namespace vek
