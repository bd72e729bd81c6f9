#include "sounds/recitation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/fake_sound_player.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeSoundPlayer;
using testing::TempDir;
using Names = std::vector<std::string>;

class FakeAlert : public AlertPort {
 public:
  bool Exists() const override { return true; }
  void Create() override {}
  bool AtPrayerTime() const override { return false; }
  TPrayerSlot PrayerIndex() const override { return Asr; }
  void ShowMinutesBefore(TPrayerSlot, int) override {}
  void ShowPrayerTimeAlert(TPrayerSlot) override {}
  void Show() override {}
  void SetSoundLine(const std::string&) override {}
  void EnableMuteButtons(bool enabled) override { muteEnabled = enabled; }
  int muteEnabled = -1;  // not set yet
};

class RecitationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    player.SetOnEnd([this] { rec.MediaPlayer1Notify(); });
  }

  // The folder names in another case than the program writes them.
  fs::path SuraFolder() const { return dir.path() / "Sounds" / "suras"; }
  void AddSuras(const Names& names) {
    fs::create_directories(SuraFolder());
    for (const std::string& name : names)
      std::ofstream(SuraFolder() / name, std::ios::binary) << "RIFF0000WAVE";
  }

  TempDir dir;
  FakeSoundPlayer player;
  VekSettings settings;
  FakeAlert alert;
  Recitation rec{player, settings, alert, dir.path()};
};

TEST_F(RecitationTest, ReadingPlaysEachAvailableFileOnceInOrderAndEnds) {
  const struct {
    const char* name;
    Names files;
    Names goneAfterScan;  // removed between the scan and the reading
    Names unopenable;
    Names played;
  } cases[] = {
      {"first and last but one", {"S1.WAV", "S114.WAV"}, {}, {}, {"S1.WAV", "S114.WAV"}},
      {"a file gone since the scan",
       {"S1.WAV", "S2.WAV", "S3.WAV"},
       {"S2.WAV"},
       {},
       {"S1.WAV", "S3.WAV"}},
      {"a file that does not open",
       {"S1.WAV", "S2.WAV", "S3.WAV"},
       {},
       {"S2.WAV"},
       {"S1.WAV", "S3.WAV"}},
      {"the last file gone", {"S1.WAV", "S9.WAV"}, {"S9.WAV"}, {}, {"S1.WAV"}},
      {"names in any case", {"s2.wav", "S3.Wav"}, {}, {}, {"s2.wav", "S3.Wav"}},
      {"the alias files as 0 and 115",
       {"SADAQA.WAV", "S114.WAV", "TAAWUZ.WAV"},
       {},
       {},
       {"TAAWUZ.WAV", "S114.WAV", "SADAQA.WAV"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(SuraFolder());
    AddSuras(c.files);
    rec.ScanSuraFiles();
    for (const std::string& name : c.goneAfterScan)
      fs::remove(SuraFolder() / name);
    player.unopenable = {c.unopenable.begin(), c.unopenable.end()};
    player.played.clear();

    EXPECT_TRUE(rec.ReadAvailableSurasClick());
    EXPECT_FALSE(rec.ReadItemsEnabled());
    player.FinishAll();
    EXPECT_EQ(player.played, c.played);
    EXPECT_FALSE(rec.ReadingSuras());
    EXPECT_TRUE(rec.ReadItemsEnabled());
  }
}

TEST_F(RecitationTest, ScanAndPlayNumberTheAliasFilesAlike) {
  AddSuras({"SADAQA.WAV", "TAAWUZ.WAV", "S50.WAV"});
  rec.ScanSuraFiles();
  EXPECT_TRUE(rec.SuraAvailable(0));
  EXPECT_TRUE(rec.SuraAvailable(115));
  EXPECT_EQ(rec.LastSura(), 115);
  EXPECT_EQ(rec.SuraCount(), 3);
  EXPECT_EQ(SuraFilePath(dir.path(), 115).filename(), "SADAQA.WAV");
  EXPECT_EQ(SuraFilePath(dir.path(), 0).filename(), "TAAWUZ.WAV");
  // The numbered name wins over the alias.
  AddSuras({"S115.WAV"});
  EXPECT_EQ(SuraFilePath(dir.path(), 115).filename(), "S115.WAV");
  EXPECT_TRUE(SuraFilePath(dir.path(), 116).empty());
}

TEST_F(RecitationTest, NoSuraFileMeansNothingPlaysAndTheMenusStayUsable) {
  rec.ScanSuraFiles();
  EXPECT_FALSE(rec.ReadAvailableSurasClick());
  EXPECT_TRUE(player.played.empty());
  EXPECT_FALSE(rec.ReadingSuras());
  EXPECT_TRUE(rec.ReadItemsEnabled());
}

TEST_F(RecitationTest, NextSuraSkipsOneFileAndTheReadingGoesOn) {
  AddSuras({"S1.WAV", "S2.WAV", "S3.WAV", "S4.WAV"});
  rec.ScanSuraFiles();
  rec.ReadAvailableSurasClick();
  rec.NextSuraClick();  // the stopped S1 reports no end
  EXPECT_FALSE(player.Playing());
  rec.ReadNextSura();  // the task that the click starts
  EXPECT_EQ(player.played, (Names{"S1.WAV", "S2.WAV"}));
  // The next natural end is not swallowed, and it advances by one.
  player.Finish();
  EXPECT_EQ(player.played, (Names{"S1.WAV", "S2.WAV", "S3.WAV"}));
  player.FinishAll();
  EXPECT_EQ(player.played, (Names{"S1.WAV", "S2.WAV", "S3.WAV", "S4.WAV"}));
  EXPECT_FALSE(rec.ReadingSuras());
}

TEST_F(RecitationTest, AlarmSequencePlaysItsFilesInOrderAndSkipsMissingOnes) {
  const struct {
    const char* name;
    Names files;
    Names played;
    int muteEnabled;  // the alert window's mute buttons at the end
  } cases[] = {
      {"all six",
       {"S0.WAV", "S107.WAV", "S112.WAV", "S113.WAV", "S114.WAV", "S115.WAV", "S1.WAV"},
       {"S0.WAV", "S107.WAV", "S112.WAV", "S113.WAV", "S114.WAV", "S115.WAV"},
       1},
      {"the aliases", {"TAAWUZ.WAV", "SADAQA.WAV"}, {"TAAWUZ.WAV", "SADAQA.WAV"}, 1},
      {"one in the middle", {"S112.WAV"}, {"S112.WAV"}, 1},
      {"none", {"S1.WAV"}, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(SuraFolder());
    AddSuras(c.files);
    player.played.clear();
    alert.muteEnabled = -1;

    rec.StartAlarm();
    if (!c.played.empty()) {
      EXPECT_TRUE(rec.AlarmReading());
      EXPECT_FALSE(rec.ReadItemsEnabled());
      EXPECT_FALSE(rec.NextItemsEnabled());
    }
    player.FinishAll();
    EXPECT_EQ(player.played, c.played);
    EXPECT_EQ(rec.AlarmStep(), Recitation::kAlarmEndStep);
    EXPECT_FALSE(rec.AlarmReading());
    EXPECT_FALSE(player.Playing());
    EXPECT_TRUE(rec.ReadItemsEnabled());
    EXPECT_TRUE(rec.NextItemsEnabled());
    EXPECT_EQ(alert.muteEnabled, c.muteEnabled);
  }
}

TEST_F(RecitationTest, AlarmInterruptsAReadingThatDoesNotResume) {
  AddSuras({"S1.WAV", "S2.WAV", "S107.WAV"});
  rec.ScanSuraFiles();
  rec.ReadAvailableSurasClick();
  rec.StartAlarm();
  player.FinishAll();
  EXPECT_EQ(player.played, (Names{"S1.WAV", "S107.WAV"}));
  EXPECT_FALSE(rec.ReadingSuras());
}

TEST_F(RecitationTest, AlarmWithTheAlarmSoundOffEndsAtOnce) {
  AddSuras({"S0.WAV"});
  settings.AlarmSoundOn = false;
  rec.StartAlarm();
  EXPECT_TRUE(player.played.empty());
  EXPECT_FALSE(rec.AlarmReading());
  EXPECT_TRUE(rec.ReadItemsEnabled());
}

}  // namespace
}  // namespace vek
