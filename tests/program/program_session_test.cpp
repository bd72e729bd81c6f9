// The run's session without windows, over a real program folder with the shipped VEK.LOC.
#include "program/program_session.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "engine/calendar.h"
#include "foundation/command_line.h"
#include "foundation/file_io.h"
#include "foundation/ini_file.h"
#include "locations/location_file.h"
#include "program/settings.h"
#include "support/fake_ui.h"
#include "support/fake_wall_clock.h"
#include "support/program_session_access.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

// Counts the times VEK.INI (or the file named) of a folder is written (each save puts a new file
// in its place).
class SettingsWrites {
 public:
  explicit SettingsWrites(const fs::path& folder, std::string name = "VEK.INI")
      : name_(std::move(name)),
        fd_(inotify_init1(IN_NONBLOCK)),
        watch_(inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE)) {}
  ~SettingsWrites() { ::close(fd_); }
  SettingsWrites(const SettingsWrites&) = delete;
  SettingsWrites& operator=(const SettingsWrites&) = delete;

  // The writes since the last call.
  int Take() {
    int writes = 0;
    alignas(inotify_event) std::array<char, 4096> buffer{};
    for (ssize_t n; (n = ::read(fd_, buffer.data(), buffer.size())) > 0;) {
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
        if (event->len > 0 && std::string(event->name) == name_)
          ++writes;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return writes;
  }
  bool Watching() const { return fd_ >= 0 && watch_ >= 0; }

 private:
  std::string name_;
  int fd_;
  int watch_;
};

class ProgramSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", dir.path() / "VEK.LOC");
    clock.now = EncodeDate(2026, 6, 21) + 0.5;
  }

  // A session started as the program starts, with the given VEK.INI text (none when empty).
  ProgramSession& Start(const std::string& ini = "") {
    if (!ini.empty()) {
      EXPECT_EQ(0, WriteFileReplacing(dir.path() / "VEK.INI", ini));
    }
    session = std::make_unique<ProgramSession>(dir.path(), ui, clock);
    session->Listen([this](SessionChange change) { heard.push_back(change); });
    EXPECT_TRUE(session->Start({}));
    return *session;
  }

  // Noon of the day before Ramadan 2026 (no Hijri adjustment), in Makkah.
  ProgramSession& StartInMakkahTheDayBeforeRamadan() {
    double firstDay = EncodeDate(2026, 1, 1);
    while (!IsRamadanDate(firstDay, 0))
      ++firstDay;
    clock.now = firstDay - 1 + 0.5;
    return Start(
        "[Orvessa, by Al Tovarelin]\r\nSelectedCity=MAKKAH\r\nSelectedCountry=SAUDI ARABIA\r\n");
  }

  testing::TempDir dir;
  testing::FakeUi ui;
  testing::FakeWallClock clock;
  std::unique_ptr<ProgramSession> session;
  std::vector<SessionChange> heard;
};

TEST_F(ProgramSessionTest, SelectsTheSavedLocationWithItsTrackersOrTheFirst) {
  ProgramSession& s = Start(
      "[Orvessa, by Al Tovarelin]\r\nSelectedCity=LONDON\r\nSelectedCountry=UNITED KINGDOM\r\n");
  const TLocations& list = s.Context().Locations;
  ASSERT_TRUE(s.HasCurrentLocation());
  EXPECT_EQ("UNITED KINGDOM", list.Current().Rec.Country);
  // In a London summer the sun never reaches 18 degrees below the horizon.
  EXPECT_TRUE(s.Context().Track.FajrSaturation.Flag);
  EXPECT_NE(s.Context().TodayTimes[Fajr], 0.0);
  EXPECT_FALSE(s.ConflictText().empty());

  Start("[Orvessa, by Al Tovarelin]\r\nSelectedCity=ATLANTIS\r\nSelectedCountry=NOWHERE\r\n");
  EXPECT_EQ(0, session->Context().Locations.CurrentIndex);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProgramSessionTest, ALocationChangeRescansSavesBothFilesAndTells) {
  ProgramSession& s = Start();
  const TLocations& list = s.Context().Locations;
  EXPECT_EQ("DAMASCUS", list.Current().Rec.City);
  EXPECT_FALSE(s.Context().Track.AnySet());
  const TDayTimesRec damascus = s.Context().TodayTimes;

  // A dialog chose London and renamed it; until it closes, the session keeps Damascus.
  heard.clear();
  s.EditLocations(ProgramSession::LocationEdit::SelectFromMenu, [&](TLocations& edited) {
    EXPECT_NE(&list, &edited);
    edited.CurrentIndex = edited.Find("LONDON", "UNITED KINGDOM", "");
    ASSERT_GE(edited.CurrentIndex, 0);
    TLocationRec london = edited.Current().Rec;
    london.City = "LONDON CITY";
    edited.SetItem(edited.CurrentIndex, london);
    EXPECT_EQ("DAMASCUS", s.Context().Locations.Current().Rec.City);
    EXPECT_EQ(damascus, s.Context().TodayTimes);
  });

  EXPECT_EQ("LONDON CITY", list.Current().Rec.City);
  EXPECT_TRUE(s.Context().Track.FajrSaturation.Flag);
  EXPECT_NE(damascus, s.Context().TodayTimes);
  EXPECT_FALSE(list.Modified);
  EXPECT_EQ(std::vector<SessionChange>{SessionChange::Location}, heard);
  IniFile ini(dir.path() / "VEK.INI");
  EXPECT_EQ("LONDON CITY", ini.ReadString(std::string(kIniMainSection), "SelectedCity", ""));
  TLocations reread;
  ASSERT_TRUE(fnReadLocations(reread, {dir.path()}).ok);
  EXPECT_GE(reread.Find("LONDON CITY", "UNITED KINGDOM", ""), 0);
}

// Each location command decides the save of the settings: the menu's Select and Operations save
// them, the Change button and Edit leave them to the next save. VEK.LOC is written only when the
// dialog changed the list, and listeners always hear Location.
TEST_F(ProgramSessionTest, EachLocationCommandDecidesTheSettingsSave) {
  using Edit = ProgramSession::LocationEdit;
  const auto chooseCairo = [](TLocations& list) {
    list.CurrentIndex = list.Find("CAIRO", "EGYPT", "");
  };
  const auto renameCurrent = [](TLocations& list) {
    TLocationRec rec = list.Current().Rec;
    rec.City = "NEW CAIRO";
    list.SetItem(list.CurrentIndex, rec);
  };
  const auto cancel = [](TLocations& list) { list.SortByCountry(); };  // the dialog's sort alone
  const struct {
    const char* what;
    Edit kind;
    std::function<void(TLocations&)> edit;
    int iniWrites;
    int locWrites;
  } cases[] = {
      {"menu Select", Edit::SelectFromMenu, chooseCairo, 1, 0},
      {"Change button", Edit::SelectFromButton, chooseCairo, 0, 0},
      {"Edit", Edit::EditCurrent, renameCurrent, 0, 1},
      {"Operations", Edit::Operations, renameCurrent, 1, 1},
      {"cancelled Select", Edit::SelectFromMenu, cancel, 1, 0},
      {"cancelled Change button", Edit::SelectFromButton, cancel, 0, 0},
      {"cancelled Edit", Edit::EditCurrent, cancel, 0, 0},
      {"cancelled Operations", Edit::Operations, cancel, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(dir.path() / "VEK.INI");
    ProgramSession& s = Start();
    SettingsWrites iniWrites(dir.path());
    SettingsWrites locWrites(dir.path(), "VEK.LOC");
    ASSERT_TRUE(iniWrites.Watching() && locWrites.Watching());
    heard.clear();
    s.EditLocations(c.kind, c.edit);
    EXPECT_EQ(c.iniWrites, iniWrites.Take());
    EXPECT_EQ(c.locWrites, locWrites.Take());
    EXPECT_EQ(std::vector<SessionChange>{SessionChange::Location}, heard);
    EXPECT_FALSE(s.Context().Locations.Modified);
  }
}

// A list that could not be saved stays modified, and the next dialog, even a cancelled one,
// tries again. A location command started while a dialog is open does nothing, so that the
// dialog that closes last cannot undo the other's edit.
TEST_F(ProgramSessionTest, LocationEditsRetryTheSaveAndDoNotNest) {
  ProgramSession& s = Start();
  using Edit = ProgramSession::LocationEdit;
  // A folder where VEK.LOC was: no file can take its place.
  const fs::path loc = dir.path() / "VEK.LOC";
  fs::remove(loc);
  fs::create_directories(loc / "in the way");
  ui.messages.clear();
  s.EditLocations(Edit::EditCurrent, [](TLocations& list) { list.Delete(list.Count() - 1); });
  EXPECT_TRUE(s.Context().Locations.Modified);
  EXPECT_EQ(1u, ui.messages.size());
  fs::remove_all(loc);

  int inner = 0;
  s.EditLocations(Edit::SelectFromButton, [&](TLocations&) {
    s.EditLocations(Edit::Operations, [&](TLocations&) { ++inner; });
  });
  EXPECT_EQ(0, inner);
  EXPECT_FALSE(s.Context().Locations.Modified);
  TLocations reread;
  ASSERT_TRUE(fnReadLocations(reread, {dir.path()}).ok);
  EXPECT_EQ(s.Context().Locations.Count(), reread.Count());
}

// What reading the location file came to is shown in the user's language: the notice of a
// converted file goes on with the start; a damaged file closes the splash screen, is told, and
// stops the start.
TEST_F(ProgramSessionTest, TheLocationFileIsToldInTheUsersLanguage) {
  std::string old(kOldLocationRecSize, '\0');
  old[0] = 4;
  old.replace(1, 4, "HOMS");
  const struct {
    std::string bytes;
    bool starts;
    const char* message;
    int splashCloses;
  } cases[] = {
      {old, true, "لديك نسخة قديمة من ملف المواقع", 0},
      {std::string(10, 'x'), false, "خطأ: ملف المواقع", 1},
  };
  ASSERT_EQ(0, WriteFileReplacing(dir.path() / "VEK.INI",
                                  "[Orvessa, by Al Tovarelin]\r\nLanguage=Arabic\r\n"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    testing::FakeUi shown;
    ASSERT_EQ(0, WriteFileReplacing(dir.path() / "VEK.LOC", c.bytes));
    ProgramSession s(dir.path(), shown, clock);
    s.OpenSettings();
    EXPECT_EQ(c.starts, s.LoadLocations());
    ASSERT_EQ(1u, shown.messages.size());
    EXPECT_EQ(0u, shown.messages[0].find(c.message)) << shown.messages[0];
    EXPECT_EQ(c.splashCloses, shown.splashCloses);
  }
}

TEST_F(ProgramSessionTest, NothingIsWrittenBeforeTheStartAndAFailedSaveIsShownOnce) {
  ProgramSession early(dir.path(), ui, clock);
  early.OpenSettings();
  early.SaveSettings();
  EXPECT_FALSE(fs::exists(dir.path() / "VEK.INI"));

  ProgramSession& s = Start();
  ASSERT_TRUE(fs::exists(dir.path() / "VEK.INI"));
  fs::remove_all(dir.path());  // the folder is gone: every save fails
  s.SetLanguage(Language::English);
  s.ToggleDateKind();
  s.SaveAtClose();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("The settings could not be saved to the file:\r\n"));
  EXPECT_NE(std::string::npos, ui.messages[0].find("DOS error code 3: Path not found"))
      << ui.messages[0];
  EXPECT_EQ((std::vector<SessionChange>{SessionChange::Language, SessionChange::DateKind}), heard);
}

// A VEK.INI near the largest the start reads (sections another program keeps there) that the
// program's own keys would take past it: the file stays as it was, so the next start still reads
// it, and the user is told once, in their language, why the settings were not saved.
TEST_F(ProgramSessionTest, ASettingsFileThatWouldOutgrowItsReaderIsKeptAndThatIsSaidOnce) {
  const std::pair<const char*, const char*> cases[] = {
      {"English", "The settings file is too large to be saved:\r\n"},
      {"Arabic", "ملف الإعدادات أكبر من أن يُحفظ:\r\n"},
  };
  for (const auto& [language, headline] : cases) {
    SCOPED_TRACE(language);
    ui.messages.clear();
    std::string ini = std::string("[Orvessa, by Al Tovarelin]\r\nLanguage=") + language +
                      "\r\n[Other Program]\r\n;";
    ini.resize(IniFile::kMaxFileBytes - 2, 'x');
    ini += "\r\n";
    ProgramSession& s = Start(ini);
    s.ToggleDateKind();
    s.SaveAtClose();
    std::string onDisk;
    ASSERT_EQ(0, ReadWholeFile(dir.path() / "VEK.INI", onDisk));
    EXPECT_EQ(ini, onDisk);
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(0u, ui.messages[0].find(headline)) << ui.messages[0];
    EXPECT_NE(std::string::npos, ui.messages[0].find((dir.path() / "VEK.INI").string()));
    EXPECT_NE(std::string::npos, ui.messages[0].find("4")) << ui.messages[0];
  }
}

TEST_F(ProgramSessionTest, TheDayChangeEntersRamadanAndTheSaudiIshaFollows) {
  ProgramSession& s = StartInMakkahTheDayBeforeRamadan();
  EXPECT_FALSE(s.Context().IsRamadan);
  const auto ishaAfterMaghrib = [&s] {
    const TDayTimesRec& t = s.Context().TodayTimes;
    return std::lround((t[Isha] - t[Maghrib]) * 1440);
  };
  EXPECT_NEAR(90, ishaAfterMaghrib(), 1);  // each rounded to its minute

  heard.clear();
  clock.now += 1;
  s.DayChanged();
  EXPECT_TRUE(s.Context().IsRamadan);
  EXPECT_NEAR(120, ishaAfterMaghrib(), 1);
  EXPECT_EQ(std::vector<SessionChange>{SessionChange::Day}, heard);
}

// Every change of a setting is written to VEK.INI once, and its listeners hear what changed.
TEST_F(ProgramSessionTest, EachSettingChangeIsSavedOnceAndTold) {
  using Settings = const VekSettings&;
  NameLists renamed = DefaultNameLists();
  renamed.EMonths[0] = "Jan";
  const struct {
    const char* what;
    std::function<void(ProgramSession&)> change;
    SessionChange told;
    std::function<bool(Settings)> holds;  // of the session's settings and of the file's
  } cases[] = {
      {"language", [](ProgramSession& s) { s.SetLanguage(Language::English); },
       SessionChange::Language, [](Settings v) { return v.Lang == Language::English; }},
      {"date kind", [](ProgramSession& s) { s.ToggleDateKind(); }, SessionChange::DateKind,
       [](Settings v) { return v.HijriMode; }},
      {"24-hour", [](ProgramSession& s) { s.Set24Hour(true); }, SessionChange::Setting,
       [](Settings v) { return v.Is24H; }},
      {"flying help", [](ProgramSession& s) { s.SetShowHint(false); }, SessionChange::Setting,
       [](Settings v) { return !v.ShowHint; }},
      {"names", [&](ProgramSession& s) { s.SetNames(renamed); }, SessionChange::Setting,
       [](Settings v) { return v.Names.EMonths[0] == "Jan" && v.Names.EMonths[1] == "February"; }},
      {"clock face", [](ProgramSession& s) { s.SetClockFace(3); }, SessionChange::Clock,
       [](Settings v) { return v.ClockFaceIndex == 3; }},
      {"clock size", [](ProgramSession& s) { s.SetClockSize(0); }, SessionChange::Clock,
       [](Settings v) { return v.ClockSizeIndex == 0; }},
      {"clock background", [](ProgramSession& s) { s.SetClockWhite(true); }, SessionChange::Clock,
       [](Settings v) { return v.ClockWhite; }},
      {"hand colours", [](ProgramSession& s) { s.SetHandsColor(1); }, SessionChange::Clock,
       [](Settings v) { return v.HandsColorIndex == 1; }},
      {"tray", [](ProgramSession& s) { s.SetMinimizeToTray(false); }, SessionChange::Tray,
       [](Settings v) { return !v.MinimizeToTray; }},
      {"close question", [](ProgramSession& s) { s.SetPromptToClose(false); },
       SessionChange::Option, [](Settings v) { return !v.PromptToClose; }},
      {"splash", [](ProgramSession& s) { s.SetShowSplash(false); }, SessionChange::Option,
       [](Settings v) { return !v.ShowSplashOption; }},
      {"warning screen", [](ProgramSession& s) { s.SetShowWarningScreen(false); },
       SessionChange::Sounds, [](Settings v) { return !v.ShowWarningScreen; }},
      {"moving alert window", [](ProgramSession& s) { s.SetMoveScreenSaver(false); },
       SessionChange::Sounds, [](Settings v) { return !v.MoveScreenSaverOption; }},
      {"adhan description",
       [](ProgramSession& s) { s.SetAzhanDescription(Language::Arabic, 2, "القاهرة"); },
       SessionChange::Sounds,
       [](Settings v) { return v.AzhanDescriptions.Arabic[2] == "القاهرة"; }},
      {"adhan", [](ProgramSession& s) { s.SetAzhan(3); }, SessionChange::Sounds,
       [](Settings v) { return v.AzhanIndex == 3; }},
      {"next adhan", [](ProgramSession& s) { s.SetNextAzhan(4); }, SessionChange::Sounds,
       [](Settings v) {  // the file gives it to the next start as NextAzhanIndex
         return (v.NextAzhanChoice < 6 ? v.NextAzhanChoice : v.NextAzhanIndex) == 4;
       }},
      {"adhan sound", [](ProgramSession& s) { s.SetAzanSound(false); }, SessionChange::Sounds,
       [](Settings v) { return !v.AzanSoundOn; }},
      {"alarm sound", [](ProgramSession& s) { s.SetAlarmSound(false); }, SessionChange::Sounds,
       [](Settings v) { return !v.AlarmSoundOn; }},
      {"opening Basmalah", [](ProgramSession& s) { s.SetOpeningBasmalah(false); },
       SessionChange::Sounds, [](Settings v) { return !v.OpeningBasmalah; }},
      {"Shuruq sound", [](ProgramSession& s) { s.SetShuruqSound(false); }, SessionChange::Sounds,
       [](Settings v) { return !v.ShuruqSoundOn; }},
      {"all sounds", [](ProgramSession& s) { s.SetAllSounds(false); }, SessionChange::Sounds,
       [](Settings v) {
         return !v.AzanSoundOn && !v.AlarmSoundOn && !v.OpeningBasmalah && !v.ShuruqSoundOn;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(dir.path() / "VEK.INI");
    ProgramSession& s = Start();
    SettingsWrites writes(dir.path());
    ASSERT_TRUE(writes.Watching());
    ASSERT_FALSE(c.holds(s.Settings()));
    heard.clear();
    c.change(s);
    EXPECT_TRUE(c.holds(s.Settings()));
    EXPECT_EQ(1, writes.Take());
    EXPECT_EQ(std::vector<SessionChange>{c.told}, heard);
    VekSettings onDisk;
    CommandLineSwitches switches;
    ReadSettings(IniFile(dir.path() / "VEK.INI"), onDisk, switches);
    EXPECT_TRUE(c.holds(onDisk));
  }
}

// The safety times and the Hijri adjustment enter the times and the high-latitude scan: today's
// times and the trackers follow before the one save, and listeners hear of it.
TEST_F(ProgramSessionTest, SafetyTimesAndTheHijriAdjustmentRecomputeTheDay) {
  ProgramSession& s = Start();
  SettingsWrites writes(dir.path());
  const TDayTimesRec before = s.Context().TodayTimes;
  ProgramSessionTestAccess::State(s).Track.IshaFajrConflict.Flag = true;  // stale
  heard.clear();
  SafetyOffsets offsets;
  offsets.Fajr = -5.0 / 60;
  s.SetSafetyTimes(offsets);
  EXPECT_NEAR(before[Fajr] - 5.0 / 1440, s.Context().TodayTimes[Fajr], 1e-9);
  EXPECT_NEAR(before[Imsak] - 5.0 / 1440, s.Context().TodayTimes[Imsak], 1e-9);
  EXPECT_DOUBLE_EQ(before[Isha], s.Context().TodayTimes[Isha]);
  EXPECT_FALSE(s.Context().Track.AnySet());
  EXPECT_EQ(1, writes.Take());
  EXPECT_EQ(std::vector<SessionChange>{SessionChange::Setting}, heard);
  IniFile ini(dir.path() / "VEK.INI");
  EXPECT_NEAR(-5.0 / 60, std::stod(ini.ReadString(std::string(kIniMainSection), "FajrSafety", "")),
              1e-12);

  // The day before Ramadan: one day forward, and today is its first day.
  ProgramSession& t = StartInMakkahTheDayBeforeRamadan();
  SettingsWrites again(dir.path());
  const TDayTimesRec outside = t.Context().TodayTimes;
  ProgramSessionTestAccess::State(t).Track.IshaFajrConflict.Flag = true;
  heard.clear();
  t.SetHijriAdjust(1);
  EXPECT_TRUE(t.Context().IsRamadan);
  EXPECT_NEAR(30, std::lround((t.Context().TodayTimes[Isha] - outside[Isha]) * 1440), 1);
  EXPECT_FALSE(t.Context().Track.AnySet());
  EXPECT_EQ(1, again.Take());
  EXPECT_EQ(std::vector<SessionChange>{SessionChange::Setting}, heard);
  EXPECT_EQ(
      1,
      IniFile(dir.path() / "VEK.INI").ReadInteger(std::string(kIniMainSection), "AdvanceHijri", 0));
}

// The run's flags of the installer, the links and closing are neither saved nor told.
TEST_F(ProgramSessionTest, TheRunsFlagsAreKeptForTheRunOnly) {
  ProgramSession& s = Start();
  SettingsWrites writes(dir.path());
  heard.clear();
  EXPECT_EQ("", s.TakeInstallerToRun());
  s.FoundInstaller("/p/ZUZUZ1.EXE", false);
  EXPECT_EQ("", s.TakeInstallerToRun());  // the user said no
  s.FoundInstaller("/p/ZUZUZ1.EXE", true);
  EXPECT_EQ("/p/ZUZUZ1.EXE", s.TakeInstallerToRun());
  EXPECT_EQ("", s.TakeInstallerToRun());  // one try
  s.MarkWebLinkVisited();
  s.MarkUpdateLinkVisited();
  s.SetClosingWithoutPrompt(true);
  EXPECT_TRUE(s.Context().WebLinkVisited && s.Context().UpdateLinkVisited &&
              s.Context().ClosingWithoutPrompt);
  EXPECT_EQ(0, writes.Take());
  EXPECT_TRUE(heard.empty());
}

// Before the settings are read, the start-up takes the language alone for its first messages,
// and the user-interface services speak it from then on, through every switch; the next adhan of
// "all in turn" is the saved one only while its recording is there.
TEST_F(ProgramSessionTest, TheStartUpsLanguageAndNextAdhan) {
  ASSERT_EQ(0, WriteFileReplacing(dir.path() / "VEK.INI",
                                  "[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n"));
  ProgramSession s(dir.path(), ui, clock);
  s.ReadStartLanguage();
  EXPECT_EQ(Language::English, s.Lang());
  EXPECT_EQ(Language::English, ui.language);
  s.OpenSettings();
  EXPECT_EQ(Language::English, ui.language);
  s.SetLanguage(Language::Arabic);
  EXPECT_EQ(Language::Arabic, ui.language);
  s.SetLanguage(Language::English);
  EXPECT_EQ(Language::English, ui.language);
  std::array<bool, 6> present{};
  present[s.Settings().NextAzhanIndex] = true;
  s.StartAzhanRotation(present);
  EXPECT_EQ(s.Settings().NextAzhanIndex, s.Settings().NextAzhanChoice);
  s.StartAzhanRotation({});
  EXPECT_EQ(kNoNextAzhanChoice, s.Settings().NextAzhanChoice);
}

// The clock's first tick is a new minute and a new day. The next event is there from the start
// and follows each new minute.
TEST_F(ProgramSessionTest, TheClockTickAndTheNextEvent) {
  ProgramSession& s = Start();
  // At noon of 21 June in Damascus, Zuhr is still to come.
  const int zuhr = std::lround(s.Context().TodayTimes[Zuhr] * 1440);
  EXPECT_EQ(Zuhr, s.Context().Next.Kind);
  EXPECT_EQ(zuhr - 12 * 60, s.Context().Next.MinutesToNext);
  std::vector<std::string> ran;
  const auto tick = [&] {
    s.AdvanceClock(
        [&] {
          ran.push_back("minute");
          s.MinuteChanged();
        },
        [&] { ran.push_back("day"); });
  };
  tick();
  EXPECT_EQ((std::vector<std::string>{"minute", "day"}), ran);
  tick();
  EXPECT_EQ(2u, ran.size());  // the same second
  clock.now += 10.0 / 1440;
  tick();
  EXPECT_EQ(3u, ran.size());
  EXPECT_EQ(Zuhr, s.Context().Next.Kind);
  EXPECT_EQ(zuhr - 12 * 60 - 10, s.Context().Next.MinutesToNext);
}

// The start-up runs in one order with the window's steps at their points: the wizard of a first
// run or of "INSTALL" before any day, the day shown with its next event, and nothing written
// before its end; an unusable location file stops it before the saved location.
TEST_F(ProgramSessionTest, TheStartUpRunsTheWindowsStepsInItsOrder) {
  const std::string saved = "[Orvessa, by Al Tovarelin]\r\nMinimizeToTray=True\r\n";
  const char* const start = "before settings, after settings, sounds and clock, ";
  const struct {
    const char* name;
    std::string ini;  // none when empty
    bool locationsUsable;
    bool wizardAsked;
    bool trayUsable;
    std::string steps;  // after start
  } cases[] = {
      {"a later run", saved, true, false, true,
       "location selected, before day, show day, finished"},
      {"a first run", "", true, false, true,
       "location selected, wizard, before day, show day, finished"},
      {"INSTALL, no tray", saved, true, true, false,
       "location selected, wizard, before day, show day, finished"},
      {"no location file", saved, false, false, true, "locations unusable"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(dir.path() / "VEK.INI");
    if (!c.ini.empty()) {
      ASSERT_EQ(0, WriteFileReplacing(dir.path() / "VEK.INI", c.ini));
    }
    if (!c.locationsUsable)
      fs::remove(dir.path() / "VEK.LOC");
    ProgramSession s(dir.path(), ui, clock);
    std::string ran;
    const auto mark = [&ran](const char* name) {
      ran += ran.empty() ? name : std::string(", ") + name;
    };
    // Nothing reaches VEK.INI before the start-up's end.
    const auto unwritten = [&](const char* name) {
      return [&, name] {
        mark(name);
        EXPECT_EQ(c.ini.empty(), !fs::exists(dir.path() / "VEK.INI")) << name;
      };
    };
    StartupSteps steps;
    steps.BeforeSettings = unwritten("before settings");
    steps.AfterSettings = unwritten("after settings");
    steps.LoadSoundsAndClock = unwritten("sounds and clock");
    steps.LocationsUnusable = unwritten("locations unusable");
    steps.TrayUsable = [&] { return c.trayUsable; };
    steps.LocationSelected = [&] {
      mark("location selected");
      EXPECT_TRUE(s.HasCurrentLocation());
    };
    steps.WizardAsked = c.wizardAsked;
    steps.RunWizard = unwritten("wizard");
    steps.BeforeDay = unwritten("before day");
    steps.ShowDay = [&] {
      unwritten("show day")();
      EXPECT_EQ(Zuhr, s.Context().Next.Kind);
    };
    steps.Finished = [&] { mark("finished"); };
    EXPECT_EQ(c.locationsUsable, s.Start(steps));
    EXPECT_EQ(start + c.steps, ran);
    if (c.locationsUsable) {
      EXPECT_TRUE(fs::exists(dir.path() / "VEK.INI"));
      EXPECT_EQ(c.trayUsable, s.Settings().MinimizeToTray);
    }
    fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", dir.path() / "VEK.LOC",
                  fs::copy_options::overwrite_existing);
  }
}

// FORCEARABIC from the command line or from VEK.INI: either forces Arabic, and the flag is kept.
TEST_F(ProgramSessionTest, ForceArabicComesFromTheCommandLineOrTheSettings) {
  const struct {
    bool commandLine;
    const char* ini;
    bool forced;
  } cases[] = {
      {true, "False", true},
      {false, "True", true},
      {false, "False", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ini);
    ASSERT_EQ(0, WriteFileReplacing(
                     dir.path() / "VEK.INI",
                     std::string("[Orvessa, by Al Tovarelin]\r\nForceArabic=") + c.ini + "\r\n"));
    CommandLineSwitches switches;
    switches.forceArabic = c.commandLine;
    ProgramSession s(dir.path(), ui, clock, switches);
    s.OpenSettings();
    EXPECT_EQ(c.forced, s.CommandLine().forceArabic);
    s.CheckArabicSupport([] { return false; });
    EXPECT_EQ(c.forced, s.Context().ArabicSupported);
    ASSERT_TRUE(s.LoadLocations());
    s.StartupFinished();
    VekSettings read;
    CommandLineSwitches written;
    ReadSettings(IniFile(dir.path() / "VEK.INI"), read, written);
    EXPECT_EQ(c.forced, written.forceArabic);
  }
}

TEST_F(ProgramSessionTest, AListenerMayLeaveWhileItIsTold) {
  ProgramSession& s = Start();
  int told = 0;
  int id = 0;
  id = s.Listen([&](SessionChange) {
    ++told;
    s.Unlisten(id);
  });
  s.Set24Hour(true);
  s.Set24Hour(false);
  EXPECT_EQ(1, told);
}

}  // namespace
}  // namespace vek
