#include "sounds/sound_trigger.h"

#include <gtest/gtest.h>

#include "support/day_times.h"

#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "program/program_session.h"
#include "program/settings_converters.h"
#include "support/fake_sound_player.h"
#include "support/fake_ui.h"
#include "support/fake_wall_clock.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

using testing::Day;
using testing::Hm;

namespace fs = std::filesystem;
using testing::FakeSoundPlayer;
using testing::FakeUi;
using testing::TempDir;
using Log = std::vector<std::string>;

const char* const kSlotNames[] = {"Imsak", "Fajr", "Shuruq", "Zuhr", "Asr", "Maghrib", "Isha"};

// The alert window as the trigger sees it. A minutes-before call for the prayer that the window
// already counts down is the minute's update, kept apart from the log of alerts.
class FakeAlertPort : public AlertPort {
 public:
  bool Exists() const override { return exists; }
  void Create() override { exists = true; }
  bool AtPrayerTime() const override { return atTime; }
  TPrayerSlot PrayerIndex() const override { return prayer; }
  void ShowMinutesBefore(TPrayerSlot p, int minutes) override {
    if (!atTime && p == prayer && !log.empty()) {
      updates.push_back(minutes);
    } else {
      log.push_back("before " + std::string(kSlotNames[p]) + " " + std::to_string(minutes));
    }
    prayer = p;
    atTime = false;
  }
  void ShowPrayerTimeAlert(TPrayerSlot p) override {
    log.push_back("time " + std::string(kSlotNames[p]));
    prayer = p;
    atTime = true;
  }
  void Show() override {}
  void SetSoundLine(const std::string& text) override { soundLine = text; }
  void EnableMuteButtons(bool enabled) override { muteEnabled = enabled; }

  bool exists = false;
  bool atTime = false;
  TPrayerSlot prayer = Imsak;
  Log log;
  std::vector<int> updates;
  std::string soundLine;
  int muteEnabled = -1;  // not set yet
};

// The trigger's choices over the test's settings, with a log of the operations. onChange runs
// inside each operation, where the program's save may show its message and run the event loop.
class FakeSoundChoices : public SoundChoices {
 public:
  explicit FakeSoundChoices(VekSettings& settings) : settings_(settings) {}
  const VekSettings& Settings() const override { return settings_; }
  void SetAzhan(std::uint8_t index) override { Change(settings_.AzhanIndex, index, "adhan"); }
  void SetNextAzhan(std::uint8_t index) override {
    Change(settings_.NextAzhanChoice, index, "next adhan");
  }
  void SetAzanSound(bool on) override { Change(settings_.AzanSoundOn, on, "adhan sound"); }
  void SetAlarmSound(bool on) override { Change(settings_.AlarmSoundOn, on, "alarm sound"); }
  void SetOpeningBasmalah(bool on) override { Change(settings_.OpeningBasmalah, on, "basmalah"); }
  void SetShuruqSound(bool on) override { Change(settings_.ShuruqSoundOn, on, "shuruq sound"); }
  void SetAllSounds(bool on) override {
    settings_.AzanSoundOn = settings_.AlarmSoundOn = settings_.OpeningBasmalah =
        settings_.ShuruqSoundOn = on;
    Record("all sounds " + std::to_string(on));
  }

  Log changes;
  std::function<void()> onChange;

 private:
  template <typename T>
  void Change(T& setting, T value, const std::string& name) {
    setting = value;
    Record(name + " " + std::to_string(value));
  }
  void Record(const std::string& change) {
    changes.push_back(change);
    if (onChange)
      onChange();
  }

  VekSettings& settings_;
};

const TDayTimesRec kDay =
    Day(Hm(4, 20), Hm(4, 30), Hm(6, 0), Hm(12, 30), Hm(15, 45), Hm(19, 0), Hm(20, 30));
// Fajr five minutes after midnight: its alarm window opens at 23:50 of the day before.
const TDayTimesRec kMidnightFajr =
    Day(Hm(23, 55), Hm(0, 5), Hm(2, 0), Hm(12, 0), Hm(16, 0), Hm(20, 0), Hm(22, 0));
constexpr double kDate = 45000;  // any date

// The adhans 1 (ALEPPO), 3 (EGYPT2) and 4 (MACCAH1), the Fajr adhan, the Shuruq recitation and
// the first file of the alarm sequence.
const std::vector<std::string> kAllSounds = {
    "SOUNDS/ALEPPO.WAV",   "SOUNDS/EGYPT2.WAV",    "SOUNDS/MACCAH1.WAV",
    "SOUNDS/F-MADINA.WAV", "SOUNDS/SURAS/S30.WAV", "SOUNDS/SURAS/S0.WAV",
};

class SoundTriggerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.Lang = Language::English;
    settings.AzhanIndex = kAllAzhans;
    settings.NextAzhanChoice = 3;
  }

  // A fresh program folder with the sound files (names relative to it), then the trigger over
  // it, with the adhans that the sound scan finds and the sura files scanned.
  void Start(const std::vector<std::string>& files) {
    folder = dir.path() / ("run" + std::to_string(++runs));
    fs::create_directories(folder);
    for (const std::string& name : files) {
      fs::create_directories((folder / name).parent_path());
      std::ofstream(folder / name, std::ios::binary) << "RIFF0000WAVE";
    }
    trigger.reset();
    trigger = std::make_unique<SoundTrigger>(choices, player, alert, ui, folder);
    std::array<bool, 6> present{};
    for (int i = 0; i < 6; ++i)
      present[i] = fs::exists(folder / "SOUNDS" / AzhanFiles[i]);
    trigger->SetPresentAzhans(present);
    trigger->Reading().ScanSuraFiles();
  }

  // The clock from minute `from` to `to` of kDate (beyond 1440 into the next day), as the main
  // window runs it: at each new minute the countdown with times, then the trigger; then the
  // due tasks, and every file plays to its end before the next minute. The alerts and files
  // played, each after its "hh:mm".
  Log Run(int from, int to, const TDayTimesRec& times = kDay) {
    Log log;
    for (int m = from; m <= to; ++m) {
      tick.OnSecond(kDate + m / 1440.0 + 20 / 86400.0, [&] {
        const NextEvent next =
            ComputeNextEvent(MinuteOfDay(tick.NowMinute()), times, times, false, status);
        trigger->SoundAndAlertTrigger(false, next, MomentOf(tick));
      });
      while (trigger->HasTask())
        trigger->RunNextTask();
      player.FinishAll();
      Collect(m, log);
    }
    return log;
  }

  void Collect(int minute, Log& log) {
    const auto two = [](int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); };
    const std::string stamp = two(minute % 1440 / 60) + ":" + two(minute % 60) + " ";
    for (; alertsSeen < alert.log.size(); ++alertsSeen)
      log.push_back(stamp + alert.log[alertsSeen]);
    for (; playsSeen < player.played.size(); ++playsSeen)
      log.push_back(stamp + player.played[playsSeen]);
  }

  // The start-up's forced call at this minute.
  void ForcedCallAt(int minute, const TDayTimesRec& times = kDay) {
    trigger->SoundAndAlertTrigger(true, ComputeNextEvent(minute, times, times, false, status),
                                  TriggerMoment{});
  }

  TempDir dir;
  fs::path folder;
  int runs = 0;
  VekSettings settings;
  FakeSoundChoices choices{settings};
  FakeSoundPlayer player;
  FakeAlertPort alert;
  FakeUi ui;
  std::unique_ptr<SoundTrigger> trigger;
  ClockTick tick;
  StatusState status;
  std::size_t alertsSeen = 0;
  std::size_t playsSeen = 0;
};

TEST_F(SoundTriggerTest, WholeDayGivesOneAlarmBeforeEachPrayerButZuhrAndTheAdhanAtEach) {
  const struct {
    const char* name;
    std::vector<std::string> files;
    Log log;
  } cases[] = {
      {"all sounds; the adhans in turn over the three present",
       kAllSounds,
       {"04:15 before Fajr 15", "04:15 S0.WAV",           "04:30 time Fajr",
        "04:30 F-MADINA.WAV",   "05:45 before Shuruq 15", "05:45 S0.WAV",
        "06:00 time Shuruq",    "06:00 S30.WAV",          "12:30 time Zuhr",
        "12:30 EGYPT2.WAV",     "15:30 before Asr 15",    "15:30 S0.WAV",
        "15:45 time Asr",       "15:45 MACCAH1.WAV",      "18:45 before Maghrib 15",
        "18:45 S0.WAV",         "19:00 time Maghrib",     "19:00 ALEPPO.WAV",
        "20:15 before Isha 15", "20:15 S0.WAV",           "20:30 time Isha",
        "20:30 EGYPT2.WAV"}},
      {"no sound file at all: the alerts alone",
       {},
       {"04:15 before Fajr 15", "04:30 time Fajr", "05:45 before Shuruq 15", "06:00 time Shuruq",
        "12:30 time Zuhr", "15:30 before Asr 15", "15:45 time Asr", "18:45 before Maghrib 15",
        "19:00 time Maghrib", "20:15 before Isha 15", "20:30 time Isha"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    settings.NextAzhanChoice = 3;
    Start(c.files);
    EXPECT_EQ(Run(0, Hm(23, 59)), c.log);
    EXPECT_EQ(ui.beeps, 11);  // every alert beeps, files or not
    EXPECT_EQ(trigger->NextAzhan(), c.files.empty() ? kNoAzhan : 4);
    ui.beeps = 0;
    alert = FakeAlertPort();
    alertsSeen = playsSeen = 0;
    player.played.clear();
    tick = ClockTick();
  }
}

TEST_F(SoundTriggerTest, StartInsideTheAlarmWindowAlertsAndAlarmsOnce) {
  Start(kAllSounds);
  ForcedCallAt(Hm(15, 35));
  // The first tick is a jump too; the alarm that waits is not queued again.
  EXPECT_EQ(Run(Hm(15, 35), Hm(15, 46)),
            (Log{"15:35 before Asr 10", "15:35 S0.WAV", "15:45 time Asr", "15:45 EGYPT2.WAV"}));
  EXPECT_EQ(ui.beeps, 2);
  EXPECT_EQ(alert.updates, (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST_F(SoundTriggerTest, AlarmWindowAcrossMidnightAlarmsOnce) {
  Start(kAllSounds);
  EXPECT_EQ(Run(Hm(23, 40), 1440 + Hm(0, 6), kMidnightFajr),
            (Log{"23:50 before Fajr 15", "23:50 S0.WAV", "00:05 time Fajr", "00:05 F-MADINA.WAV"}));
}

TEST_F(SoundTriggerTest, TasksQueueInOrderOnePerRunAndNoneIsLost) {
  Start(kAllSounds);
  int closes = 0;
  trigger->onCloseTask = [&] { ++closes; };
  trigger->StartTask(kTaskBasmalah);  // the opening Basmalah
  ForcedCallAt(Hm(15, 35));           // the alarm at start
  trigger->StartTask(kTaskClose);
  trigger->StartTask(kTaskAlarm);  // already waiting

  trigger->RunNextTask();
  EXPECT_EQ(player.events, (Log{"resource BASMALAH"}));
  trigger->RunNextTask();
  EXPECT_EQ(player.events, (Log{"resource BASMALAH", "stop resource", "play S0.WAV"}));
  EXPECT_EQ(closes, 0);
  trigger->RunNextTask();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(trigger->HasTask());
}

TEST_F(SoundTriggerTest, MuteStopsAllSoundAndEndsTheAlarm) {
  Start({"SOUNDS/SURAS/S0.WAV", "SOUNDS/SURAS/S107.WAV"});
  ForcedCallAt(Hm(15, 35));
  trigger->RunNextTask();
  player.PlayResource("BASMALAH");
  ASSERT_TRUE(player.Playing());

  trigger->MuteAlertSound();
  EXPECT_FALSE(player.Playing());
  EXPECT_FALSE(player.resourcePlaying);
  EXPECT_EQ(trigger->Reading().AlarmStep(), Recitation::kAlarmEndStep);
  EXPECT_FALSE(trigger->Reading().AlarmReading());
  EXPECT_TRUE(trigger->ReadItemsEnabled());
  EXPECT_TRUE(trigger->NextItemsEnabled());
  player.Finish();
  EXPECT_EQ(player.played, (Log{"S0.WAV"}));
}

TEST_F(SoundTriggerTest, SoundLineOfTheAlertWindow) {
  const struct {
    const char* name;
    TPrayerSlot kind;
    int index;
    bool azanOn;
    Language lang;
    bool fajrFile;
    std::string line;  // "" = left as it was
    int muteEnabled;   // -1 = left as it was
  } cases[] = {
      {"an adhan", Asr, 1, true, Language::English, false, "Aleppo Azhan", 1},
      {"an adhan in Arabic", Asr, 1, true, Language::Arabic, false, "أذان حلب", 1},
      {"no recording chosen", Maghrib, 8, true, Language::English, false, "-", 1},
      {"adhan sound off", Isha, kNoAzhan, false, Language::English, false, "Azhan sound disabled",
       0},
      {"adhan sound off in Arabic", Isha, kNoAzhan, false, Language::Arabic, false,
       "صوت الأذان غير مطلوب", 0},
      {"the Fajr adhan", Fajr, kFajrAzhan, true, Language::English, true, "Fajr, Madinah Azhan", 1},
      {"no Fajr adhan", Fajr, 1, true, Language::English, false, "No fajr Azhan Available", 1},
      {"no Fajr adhan in Arabic", Fajr, 1, true, Language::Arabic, false, "أذان الفجر غير متوفر",
       1},
      {"Fajr with the adhan sound off", Fajr, kNoAzhan, false, Language::English, true,
       "Azhan sound disabled", 0},
      {"Shuruq recitation", Shuruq, 8, false, Language::English, false, "Al Room (30): 16-19", -1},
      {"Shuruq recitation in Arabic", Shuruq, 8, true, Language::Arabic, false, "الروم (30): 16-19",
       -1},
  };
  Start({"SOUNDS/ALEPPO.WAV", "SOUNDS/SURAS/S30.WAV"});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path fajr = folder / "SOUNDS" / "F-MADINA.WAV";
    if (c.fajrFile)
      std::ofstream(fajr) << "RIFF";
    else
      fs::remove(fajr);
    settings.AzanSoundOn = c.azanOn;
    settings.Lang = c.lang;
    alert = FakeAlertPort();
    alert.exists = true;
    trigger->ShowAlertSoundCaption(c.kind, c.index);
    EXPECT_EQ(alert.soundLine, c.line);
    EXPECT_EQ(alert.muteEnabled, c.muteEnabled);
  }
}

TEST_F(SoundTriggerTest, WithoutAdhanFilesTheSoundLineIsLeftAlone) {
  Start({"SOUNDS/SURAS/S30.WAV"});
  alert.exists = true;
  trigger->ShowAlertSoundCaption(Shuruq, 8);
  trigger->ShowAlertSoundCaption(Asr, 1);
  EXPECT_EQ(alert.soundLine, "");
  EXPECT_EQ(alert.muteEnabled, -1);
}

TEST_F(SoundTriggerTest, AllSoundsSetsAllFourUnlessTwoAreSet) {
  Start({});
  const struct {
    bool alarm, basmalah, azan, shuruq;
    bool after;
  } cases[] = {
      {false, false, false, false, true},
      {false, false, true, false, true},
      {true, false, false, true, false},
      {true, true, true, true, false},
  };
  for (const auto& c : cases) {
    settings.AlarmSoundOn = c.alarm;
    settings.OpeningBasmalah = c.basmalah;
    settings.AzanSoundOn = c.azan;
    settings.ShuruqSoundOn = c.shuruq;
    choices.changes.clear();
    EXPECT_TRUE(trigger->ae_AllSoundsClick());
    EXPECT_EQ(choices.changes, Log{"all sounds " + std::to_string(c.after)});
    EXPECT_EQ(settings.AlarmSoundOn, c.after);
    EXPECT_EQ(settings.OpeningBasmalah, c.after);
    EXPECT_EQ(settings.AzanSoundOn, c.after);
    EXPECT_EQ(settings.ShuruqSoundOn, c.after);
    EXPECT_EQ(trigger->AllSoundsChecked(), c.after);
  }
}

TEST_F(SoundTriggerTest, AlarmButtonStopsARunningRecitationElseToggles) {
  Start({"SOUNDS/SURAS/S0.WAV"});
  trigger->StartTask(kTaskAlarm);
  trigger->RunNextTask();
  ASSERT_TRUE(player.Playing());
  choices.changes.clear();
  EXPECT_FALSE(trigger->AlarmSoundBtnClick());
  EXPECT_TRUE(settings.AlarmSoundOn);
  EXPECT_FALSE(player.Playing());
  EXPECT_TRUE(trigger->ReadItemsEnabled());
  EXPECT_EQ(choices.changes, Log{});

  EXPECT_TRUE(trigger->AlarmSoundBtnClick());
  EXPECT_FALSE(settings.AlarmSoundOn);
  EXPECT_EQ(choices.changes, Log{"alarm sound 0"});
  EXPECT_EQ(AlarmSoundButtonCaption(settings.AlarmSoundOn, Language::English), "Enable");
  EXPECT_EQ(AlarmSoundButtonHint(settings.AlarmSoundOn, Language::English),
            "Alarms are currently not allowed\r\nPress to allow hearing the alarms");
}

TEST_F(SoundTriggerTest, RotationStaysOnPresentRecordings) {
  settings.NextAzhanChoice = 0;  // saved before its file was removed
  Start({"SOUNDS/EGYPT1.WAV", "SOUNDS/MACCAH2.WAV"});
  EXPECT_EQ(trigger->NextAzhan(), 2);
  EXPECT_FALSE(trigger->AzhanItemEnabled(0));
  EXPECT_TRUE(trigger->AzhanItemEnabled(5));
  EXPECT_EQ(trigger->AvailableAzhanCount(), 2);
  const NextEvent asr{Asr, 0};
  for (int i = 0; i < 3; ++i)
    trigger->SoundAndAlertTrigger(false, asr, TriggerMoment{});
  EXPECT_EQ(player.played, (Log{"EGYPT1.WAV", "MACCAH2.WAV", "EGYPT1.WAV"}));
  // Each step of the rotation is handed to the choices as it is made.
  EXPECT_EQ(choices.changes, (Log{"next adhan 2", "next adhan 5", "next adhan 2", "next adhan 5"}));
}

// The save of a rotation step may show a message, whose event loop lets the clock come back into
// the minute being decided: that call announces nothing, so the adhan just started plays on and
// the rotation moves once. A later minute's call is decided as ever.
TEST_F(SoundTriggerTest, ACallBackIntoTheMinuteBeingDecidedAnnouncesNothing) {
  const auto at = [](int minute) {
    return TriggerMoment{minute / 1440.0, kDate, (minute - 1) / 1440.0, kDate};
  };
  const struct {
    const char* name;
    TriggerMoment again;
    Log played;
    int next;
  } cases[] = {
      {"the same minute", at(Hm(15, 45)), {"EGYPT1.WAV"}, 5},
      {"a later minute", at(Hm(19, 0)), {"EGYPT1.WAV", "MACCAH2.WAV"}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    settings.NextAzhanChoice = 2;
    player.played.clear();
    Start({"SOUNDS/EGYPT1.WAV", "SOUNDS/MACCAH2.WAV"});
    bool inside = false;
    choices.onChange = [&] {
      if (std::exchange(inside, true))
        return;
      trigger->SoundAndAlertTrigger(false, NextEvent{Maghrib, 0}, c.again);
    };
    trigger->SoundAndAlertTrigger(false, NextEvent{Asr, 0}, at(Hm(15, 45)));
    choices.onChange = nullptr;
    EXPECT_EQ(player.played, c.played);
    EXPECT_EQ(trigger->NextAzhan(), c.next);
  }
}

TEST_F(SoundTriggerTest, ReadCommandWithoutSuraFilesTellsWhereToGetThem) {
  Start({});
  trigger->ReadAvailableSurasClick();
  EXPECT_EQ(ui.messages, (Log{NoSuraFilesText(Language::English)}));
  EXPECT_TRUE(trigger->ReadItemsEnabled());
}

// In the running program the trigger's choices are the session's: each is in VEK.INI at once,
// as the next start reads it, and the windows hear of it.
TEST(SoundTriggerOverTheSession, TheTriggersChoicesAreSavedAndTold) {
  TempDir dir;
  fs::create_directories(dir.path() / "SOUNDS");
  std::array<bool, 6> present{};
  for (int i = 0; i < 6; ++i) {
    std::ofstream(dir.path() / "SOUNDS" / AzhanFiles[i], std::ios::binary) << "RIFF0000WAVE";
    present[i] = true;
  }
  FakeUi ui;
  testing::FakeWallClock clock(kDate + 0.5);
  // The program's start: the settings, then the adhan rotation over the present recordings.
  const auto start = [&](ProgramSession& session) {
    session.OpenSettings();
    session.StartAzhanRotation(present);
    session.StartupFinished();
  };
  ProgramSession session(dir.path(), ui, clock);
  start(session);
  std::vector<SessionChange> heard;
  session.Listen([&](SessionChange change) { heard.push_back(change); });
  FakeSoundPlayer player;
  FakeAlertPort alert;
  SoundTrigger trigger(session, player, alert, ui, dir.path());
  trigger.SetPresentAzhans(present);

  using Settings = const VekSettings&;
  const struct {
    const char* what;
    std::function<bool()> command;
    std::function<bool(Settings)> holds;
  } steps[] = {
      {"an adhan", [&] { return trigger.SelectAzhan(2); },
       [](Settings s) { return s.AzhanIndex == 2; }},
      {"all in turn", [&] { return trigger.SelectAzhan(kAllAzhans); },
       [](Settings s) { return s.AzhanIndex == kAllAzhans; }},
      {"adhan sound", [&] { return trigger.AzanSoundBtnClick(); },
       [](Settings s) { return !s.AzanSoundOn; }},
      {"alarm sound", [&] { return trigger.AlarmSoundBtnClick(); },
       [](Settings s) { return !s.AlarmSoundOn; }},
      {"Shuruq sound", [&] { return trigger.AllowShuruqWarningClick(); },
       [](Settings s) { return !s.ShuruqSoundOn; }},
      {"opening Basmalah", [&] { return trigger.ae_BasmalahClick(); },
       [](Settings s) { return !s.OpeningBasmalah; }},
      {"all sounds", [&] { return trigger.ae_AllSoundsClick(); },
       [](Settings s) {
         return s.AzanSoundOn && s.AlarmSoundOn && s.ShuruqSoundOn && s.OpeningBasmalah;
       }},
      {"a step of the rotation",
       [&] {
         trigger.SoundAndAlertTrigger(false, NextEvent{Asr, 0}, TriggerMoment{});
         return true;
       },
       [](Settings s) { return s.NextAzhanChoice == 2; }},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    ASSERT_FALSE(step.holds(session.Settings()));
    heard.clear();
    EXPECT_TRUE(step.command());
    EXPECT_TRUE(step.holds(session.Settings()));
    EXPECT_EQ(heard, std::vector<SessionChange>{SessionChange::Sounds});
    ProgramSession next(dir.path(), ui, clock);
    start(next);
    EXPECT_TRUE(step.holds(next.Settings()));
  }
  EXPECT_EQ(player.played, Log{"ALEPPO.WAV"});
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace vek
