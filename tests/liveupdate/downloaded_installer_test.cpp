#include "liveupdate/downloaded_installer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/busy_wait.h"
#include "foundation/file_io.h"
#include "sounds/sound_files.h"
#include "support/fake_clock.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::FakeUi;
using testing::TempDir;

class DownloadedInstaller : public ::testing::Test {
 protected:
  void Put(const char* name) { ASSERT_EQ(0, WriteFileReplacing(dir.path() / name, name)); }
  std::optional<FoundInstaller> Take(bool moveIt, Language lang = Language::English) {
    return TakeDownloadedInstaller(dir.path(), moveIt, lang, sys);
  }
  fs::path Path(const char* name) const { return dir.path() / name; }

  TempDir dir;
  FakeUi ui;
  FakeClock clock;
  SystemServices sys{ui, clock};
};

TEST_F(DownloadedInstaller, TheOldInstallerGoesAndOnlyARegularFileIsTaken) {
  Put("go-vek.exe");
  fs::create_directory(Path("ZUZUZ600.EXE"));
  fs::create_symlink("ZUZUZ601.EXE", Path("ZUZUZ601.EXE"));  // a link to itself
  Put("ZUZU.EXE");
  Put("ZUZUZ700.TXT");
  EXPECT_FALSE(Take(false));
  EXPECT_FALSE(fs::exists(Path("go-vek.exe")));
  EXPECT_TRUE(ui.dialogs.empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DownloadedInstaller, TheFirstInNameOrderIsOfferedToRun) {
  Put("zuzuz624.exe");
  Put("ZUZUZ623.EXE");
  for (const int answer : {1, 0}) {
    ui.answers = {answer};
    const std::optional<FoundInstaller> found = Take(false);
    ASSERT_TRUE(found);
    EXPECT_EQ(Path("ZUZUZ623.EXE").string(), found->path);
    EXPECT_EQ(answer == 1, found->run);
  }
  ASSERT_EQ(2u, ui.dialogs.size());
  EXPECT_EQ(
      "Found Installation file: " + Path("ZUZUZ623.EXE").string() + "\r\nDo you want to run it?",
      ui.dialogs[0].text);
  EXPECT_EQ(kEnglishCaptions, ui.dialogs[0].option);

  ui.answers = {1};
  ASSERT_TRUE(Take(false, Language::Arabic));
  EXPECT_EQ("وُجد ملف تثبيت: " + Path("ZUZUZ623.EXE").string() + "\r\nهل تريد تشغيله؟",
            ui.dialogs.back().text);
  EXPECT_EQ(kArabicCaptions, ui.dialogs.back().option);
  EXPECT_TRUE(fs::exists(Path("ZUZUZ623.EXE")));  // offering moves nothing
}

TEST_F(DownloadedInstaller, MovingPutsItAmongTheDownloadedFiles) {
  Put("ZUZUZ623.EXE");
  fs::create_directory(dir.path() / kDownloadedFilesFolder);
  const std::optional<FoundInstaller> found = Take(true);
  ASSERT_TRUE(found);
  EXPECT_FALSE(found->run);
  EXPECT_TRUE(ui.dialogs.empty());  // nothing asked
  EXPECT_FALSE(fs::exists(Path("ZUZUZ623.EXE")));
  EXPECT_TRUE(fs::exists(dir.path() / kDownloadedFilesFolder / "ZUZUZ623.EXE"));
  ASSERT_EQ(2u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("An attempt will be made to move the Installation file\r\n"));
  EXPECT_EQ(0u, ui.messages[1].find("The Installation file\r\n"));
  EXPECT_NE(std::string::npos, ui.messages[1].find("has been moved successfully"));
  EXPECT_EQ(0, ui.beeps);
}

TEST_F(DownloadedInstaller, AFileThatWillNotMoveIsTriedFiveTimesThenReported) {
  Put("ZUZUZ623.EXE");  // no folder to move it into
  const auto start = clock.Now();
  ASSERT_TRUE(Take(true));
  EXPECT_TRUE(fs::exists(Path("ZUZUZ623.EXE")));
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(0u, ui.messages.front().find("An attempt will be made"));
  const std::string retry =
      "File could not be moved\r\n" + Path("ZUZUZ623.EXE").string() + "\r\nWill try again now";
  // Five tries: a retry is announced after each of the first four, none after the last.
  EXPECT_EQ(4, std::count(ui.messages.begin(), ui.messages.end(), retry));
  EXPECT_EQ(0u, ui.messages.back().find("Failed moving the Installation file\r\n"));
  EXPECT_GE(ui.beeps, 1);
  // At least the long wait before the first try and a short one after each failed try.
  EXPECT_LE(std::chrono::duration_cast<Clock::Duration>(
                std::chrono::duration<double>((10 + 5 * 5) * kSecondsPerWaitUnit)),
            clock.Now() - start);
}

}  // namespace
}  // namespace vek
