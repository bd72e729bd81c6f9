// The run's session without windows, over a real program folder with the shipped VEK.LOC.
#include "program/program_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
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
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

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
    session->OpenSettings();
    EXPECT_TRUE(session->LoadLocations());
    session->SelectSavedLocation();
    session->UpdateRamadan();
    session->ComputeToday();
    session->StartupFinished();
    return *session;
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
  TLocations& list = s.Locations();
  EXPECT_EQ("DAMASCUS", list.Current().Rec.City);
  EXPECT_FALSE(s.Context().Track.AnySet());
  const TDayTimesRec damascus = s.Context().TodayTimes;

  // A dialog chose London and renamed it.
  list.CurrentIndex = list.Find("LONDON", "UNITED KINGDOM", "");
  ASSERT_GE(list.CurrentIndex, 0);
  list.GetItem(list.CurrentIndex).Rec.City = "LONDON CITY";
  list.Modified = true;
  heard.clear();
  s.AfterLocationChange(true, true);

  EXPECT_TRUE(s.Context().Track.FajrSaturation.Flag);
  EXPECT_NE(damascus, s.Context().TodayTimes);
  EXPECT_FALSE(list.Modified);
  EXPECT_EQ(std::vector<SessionChange>{SessionChange::Location}, heard);
  IniFile ini(dir.path() / "VEK.INI");
  EXPECT_EQ("LONDON CITY", ini.ReadString(std::string(kIniMainSection), "SelectedCity", ""));
  TLocations reread;
  LocationFileContext file{dir.path(), ui};
  ASSERT_TRUE(fnReadLocations(reread, file));
  EXPECT_GE(reread.Find("LONDON CITY", "UNITED KINGDOM", ""), 0);
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
  double firstDay = EncodeDate(2026, 1, 1);
  while (!IsRamadanDate(firstDay, 0))
    ++firstDay;
  clock.now = firstDay - 1 + 0.5;
  ProgramSession& s = Start(
      "[Orvessa, by Al Tovarelin]\r\nSelectedCity=MAKKAH\r\nSelectedCountry=SAUDI ARABIA\r\n");
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
