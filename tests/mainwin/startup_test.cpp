// The start-up that creating the main window runs, over real program folders.
#include <QCoreApplication>

#include "foundation/ini_file.h"
#include "mainwin/main_window_fixture.h"
#include "mainwin/splash_window.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::MainWindowTest;

using Startup = MainWindowTest;

TEST_F(Startup, FirstRunShowsDamascusWithoutSplashAndWritesEveryKey) {
  auto w = Start();
  const VekContext& c = w->Context();
  EXPECT_TRUE(c.FirstRun);
  EXPECT_TRUE(c.FormCreated);
  EXPECT_FALSE(w->W.SplashWnd);
  EXPECT_EQ("DAMASCUS", c.Locations.Current().Rec.City);
  EXPECT_EQ(Language::Arabic, c.Settings.Lang);
  EXPECT_FALSE(w->W.SlotTimes[Fajr]->text().isEmpty());
  EXPECT_FALSE(w->W.TimesLeft->text().isEmpty());
  EXPECT_TRUE(ui.messages.empty());
  IniFile ini(folder() / "VEK.INI");
  EXPECT_EQ("DAMASCUS", ini.ReadString("Orvessa, by Al Tovarelin", "SelectedCity", ""));
  EXPECT_EQ(47u, ini.ReadSection("Orvessa, by Al Tovarelin").size());
  EXPECT_TRUE(fs::is_directory(folder() / "DOWNLOADED FILES"));
}

TEST_F(Startup, SavedSettingsAndSplash) {
  WriteIni(
      "[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nSelectedCity=BOSTON\r\n"
      "SelectedCountry=USA\r\nSelectedState=MA\r\nIs24H=True\r\n");
  auto w = Start();
  const VekContext& c = w->Context();
  EXPECT_FALSE(c.FirstRun);
  EXPECT_EQ("BOSTON", c.Locations.Current().Rec.City);
  EXPECT_EQ(Qt::LeftToRight, w->W.MainPanel->layoutDirection());
  EXPECT_TRUE(w->W.City->text().startsWith("BOSTON  (USA) - "));
  EXPECT_TRUE(w->W.SplashWnd);  // closing: hidden now, gone half a second later
  EXPECT_FALSE(w->W.SplashWnd->isVisible());
}

TEST_F(Startup, NoSplashOrInstallParameters) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  for (const std::vector<std::string>& params :
       {std::vector<std::string>{"x", "NoSplash"}, std::vector<std::string>{"/install"}}) {
    auto w = Start(params);
    EXPECT_FALSE(w->W.SplashWnd) << params.back();
  }
}

TEST_F(Startup, TheTestersButtonShowsInTesterModeOnly) {
  for (const bool tester : {false, true, false}) {
    auto w = Start(tester ? std::vector<std::string>{"QeTestingVEK"} : std::vector<std::string>{});
    EXPECT_EQ(tester, w->W.Button1->isVisibleTo(w.get()));
  }
}

TEST_F(Startup, UnknownSavedCityFallsBackToTheFirstLocationQuietly) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nSelectedCity=ATLANTIS\r\nSelectedCountry=NOWHERE\r\n");
  auto w = Start();
  EXPECT_EQ(0, w->Context().Locations.CurrentIndex);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Startup, BrokenLocationFileClosesWithoutSaving) {
  std::string loc;
  ASSERT_EQ(0, ReadWholeFile(folder() / "VEK.LOC", loc));
  ASSERT_EQ(0, WriteFileReplacing(folder() / "VEK.LOC", loc.substr(0, 92 * 3 + 10)));
  auto w = Start();
  EXPECT_TRUE(w->ClosingAtStart());
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(std::string::npos, ui.messages.back().find("Closing Program"));
  EXPECT_FALSE(w->Context().FormCreated);
  EXPECT_FALSE(fs::exists(folder() / "VEK.INI"));
}

TEST_F(Startup, EmptyLocationListShowsEmptyPanels) {
  std::string loc;
  ASSERT_EQ(0, ReadWholeFile(folder() / "VEK.LOC", loc));
  ASSERT_EQ(0, WriteFileReplacing(folder() / "VEK.LOC", loc.substr(0, 92)));  // version only
  auto w = Start();
  EXPECT_FALSE(w->ClosingAtStart());
  EXPECT_EQ(0, w->Context().Locations.Count());
  EXPECT_TRUE(w->W.SlotTimes[Fajr]->text().isEmpty());
  EXPECT_TRUE(w->W.TimesLeft->text().isEmpty());
  EXPECT_TRUE(w->W.City->text().isEmpty());
}

TEST_F(Startup, DownloadedInstallerIsOfferedOrMoved) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  ASSERT_EQ(0, WriteFileReplacing(folder() / "ZUZUZ623.EXE", "new"));
  ASSERT_EQ(0, WriteFileReplacing(folder() / "ZUZUZ624.EXE", "newer"));
  ui.answers = {1};
  {
    auto w = Start();
    EXPECT_TRUE(w->Context().RunInstaller);
    ASSERT_EQ(1u, ui.dialogs.size());
    EXPECT_EQ("Found Installation file: " + (folder() / "ZUZUZ623.EXE").string() +
                  "\r\nDo you want to run it?",
              ui.dialogs[0].text);
  }
  ui.messages.clear();
  auto w = Start({"MoveGoVekFile"});
  EXPECT_FALSE(fs::exists(folder() / "ZUZUZ623.EXE"));
  EXPECT_TRUE(fs::exists(folder() / "DOWNLOADED FILES" / "ZUZUZ623.EXE"));
  EXPECT_TRUE(fs::exists(folder() / "ZUZUZ624.EXE"));  // only the first is handled
  ASSERT_EQ(2u, ui.messages.size());
  EXPECT_NE(std::string::npos, ui.messages[1].find("has been moved successfully"));
}

// Links in the program folder that loop, named like a downloaded installer or a program file,
// are skipped: the start-up goes on to the main window.
TEST_F(Startup, LoopingLinksInTheProgramFolderDoNotStopTheStart) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  fs::create_symlink("ZUZUZ700.EXE", folder() / "ZUZUZ700.EXE");
  fs::create_symlink("go-vek.exe", folder() / "go-vek.exe");
  fs::create_symlink("AZHAN_M1.WAV", folder() / "AZHAN_M1.WAV");
  fs::create_symlink("x.zip", folder() / "x.zip");
  auto w = Start();
  EXPECT_FALSE(w->ClosingAtStart());
  EXPECT_TRUE(w->Context().FormCreated);
  EXPECT_TRUE(ui.dialogs.empty());  // no installer offered
  EXPECT_TRUE(fs::is_symlink(folder() / "ZUZUZ700.EXE"));
}

// The temporary files that saves and copies killed midway left in the program folder are removed
// at start once they are ten minutes old; younger ones may belong to a running save, and other
// files are the user's.
TEST_F(Startup, StaleTemporaryFilesAreRemovedFreshOnesKept) {
  const auto age = [&](const char* name, std::chrono::minutes minutes) {
    const fs::path p = folder() / name;
    ASSERT_EQ(0, WriteFileReplacing(p, "partial"));
    fs::last_write_time(p, fs::file_time_type::clock::now() - minutes);
  };
  using std::chrono::minutes;
  for (const char* stale :
       {".VEK.INI.a1B2c3", ".VEK.LOC.zZ9yY8", "$TMP_WRK.$_$Qw3rTy", "ERASEME.$$$.000000"})
    age(stale, minutes(11));
  for (const char* kept : {".VEK.INI.fresh1", "VEK.INI.a1B2c3", ".VEK.INI.a1B2c", "$TMP_WRK.$_$x",
                           ".notes.txt", "user.txt.a1B2c3"})
    age(kept, std::string_view(kept) == ".VEK.INI.fresh1" ? minutes(2) : minutes(60));
  fs::create_symlink("/nonexistent", folder() / ".VEK.LOC.link00");

  auto w = Start();
  for (const char* stale :
       {".VEK.INI.a1B2c3", ".VEK.LOC.zZ9yY8", "$TMP_WRK.$_$Qw3rTy", "ERASEME.$$$.000000"})
    EXPECT_FALSE(fs::exists(folder() / stale)) << stale;
  for (const char* kept : {".VEK.INI.fresh1", "VEK.INI.a1B2c3", ".VEK.INI.a1B2c", "$TMP_WRK.$_$x",
                           ".notes.txt", "user.txt.a1B2c3"})
    EXPECT_TRUE(fs::exists(folder() / kept)) << kept;
  EXPECT_TRUE(fs::is_symlink(folder() / ".VEK.LOC.link00"));
}

}  // namespace
}  // namespace vek

namespace vek {
namespace {

using Startup = testing::MainWindowTest;

// A VEK.INI that cannot be read is never replaced by the defaults, and the user is told once.
TEST_F(Startup, UnreadableSettingsAreReportedOnceAndKept) {
  std::filesystem::create_directory(folder() / "VEK.INI");  // exists, but cannot be read
  auto w = Start();
  w->LanguageBtnClick();
  // In Arabic, the language of a first run: one message that it could not be read, one that it
  // could not be saved, and none for the later save of the language switch.
  ASSERT_EQ(2u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("تعذرت قراءة ملف الإعدادات"));
  EXPECT_EQ(0u, ui.messages[1].find("تعذر حفظ الإعدادات"));
  for (const std::string& m : ui.messages)
    EXPECT_NE(std::string::npos, m.find((folder() / "VEK.INI").string()));
  EXPECT_TRUE(std::filesystem::is_directory(folder() / "VEK.INI"));
}

}  // namespace
}  // namespace vek
