// The main window's sounds: each minute, after the countdown, the alert window before and at a
// prayer, the adhan at the prayer time, the Shuruq recitation, and the alarm recitation a fixed
// number of minutes before a prayer (never for Zuhr); the deferred sound tasks; and the sound
// switches of the menus and buttons.
//
// Usage: the main window owns one SoundTrigger for the run. It gives it the adhan recordings
// found by the sound scan (SetPresentAzhans) and the sura files (Reading().ScanSuraFiles()),
// calls SoundAndAlertTrigger after each minute's countdown (force at start-up), runs
// RunNextTask from its 100 ms timer while HasTask(). The trigger reads the sound settings and
// changes them only through SoundChoices, whose operations save and tell at once; a command that
// told no change leaves the window to refresh the adhan button and the menu states read here.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>

#include "engine/day_times.h"
#include "foundation/language.h"
#include "foundation/ui_services.h"
#include "program/clock_tick.h"
#include "program/countdown.h"
#include "program/settings.h"
#include "program/sound_choices.h"
#include "sounds/alert_port.h"
#include "sounds/recitation.h"
#include "sounds/sound_player.h"

namespace vek {

// The selected-adhan values beside the recordings 0..7.
inline constexpr std::uint8_t kAllAzhans = 8;
inline constexpr std::uint8_t kNoAzhan = 9;
// The Fajr adhan among AzhanFiles.
inline constexpr int kFajrAzhan = 6;

// The deferred sound tasks.
enum SoundTask : int {
  kTaskBasmalah = 0,
  kTaskAlarm = 1,
  kTaskFirstSura = 2,
  kTaskNextSura = 3,
  kTaskClose = 4,
};

// The moment of a minute update: the current minute of the day and date, and those of the
// change handled before (fractions of a day and whole days, as ClockTick keeps them).
struct TriggerMoment {
  double NowMinute = 0;
  double Today = 0;
  double LastMinute = 0;
  double LastDay = 0;
};
// The moment as the clock tick holds it while its minute handler runs.
TriggerMoment MomentOf(const ClockTick& tick);

// The caption and the two-line hint of the alarm button.
std::string AlarmSoundButtonCaption(bool alarmSoundOn, Language lang);
std::string AlarmSoundButtonHint(bool alarmSoundOn, Language lang);

class SoundTrigger {
 public:
  static constexpr int AlarmMinutes = 15;
  // A gap of this many minutes or more between two minute updates is a jump.
  static constexpr int kJumpMinutes = 6;

  // Takes the player's end-of-play report for the recitation until destroyed. choices must
  // outlive the trigger.
  SoundTrigger(SoundChoices& choices, SoundPlayer& player, AlertPort& alert, UiServices& ui,
               std::filesystem::path programFolder);
  ~SoundTrigger();
  SoundTrigger(const SoundTrigger&) = delete;
  SoundTrigger& operator=(const SoundTrigger&) = delete;

  // Which of the recordings 0..5 the sound scan found. Keeps the adhan rotation on a present
  // recording (kNoAzhan when there is none).
  void SetPresentAzhans(const std::array<bool, 6>& present);
  int AvailableAzhanCount() const;
  // The adhan menu item of recording 0..5 is enabled: its file is present.
  bool AzhanItemEnabled(int index) const;
  // The adhan rotation for "all": settings.NextAzhanChoice, always a present recording 0..5
  // (kNoAzhan while none is present).
  std::uint8_t NextAzhan() const { return settings_.NextAzhanChoice; }

  // The minute's decision (force at start-up): the alert and adhan at the event's own minute,
  // the alarm AlarmMinutes before it, and once on entering that window by a jump or a start.
  // A call for the minute that is being decided (the clock ticking on under the message of a
  // failed save of the adhan rotation) does nothing.
  void SoundAndAlertTrigger(bool force, const NextEvent& next, const TriggerMoment& moment);
  // Opens or updates the alert window and beeps, unless it already shows this kind and atTime.
  // At the time itself a playing file is stopped.
  void ShowAlertWindow(TPrayerSlot kind, bool atTime, int minutesToNext);
  // The adhan recording index (the Fajr adhan at Fajr, the Shuruq recitation at Shuruq), then
  // its sound line.
  void PlayEventSound(TPrayerSlot kind, int index);
  // The sound line and mute buttons of an open alert window while an adhan file is present.
  void ShowAlertSoundCaption(TPrayerSlot kind, int index);
  // Plays SOUNDS/name (after stopping the player); false, silently, when it is missing.
  bool PlaySoundFile(const std::string& name);
  std::filesystem::path SoundFilePath(const std::string& name) const;
  bool MediaPlaying() const { return player_.Playing(); }

  // The deferred tasks, run in the order started, one per RunNextTask. A task already waiting
  // is not queued twice.
  void StartTask(int code);
  bool HasTask() const { return !tasks_.empty(); }
  void RunNextTask();
  // Task 4: the main window sends the debug mail or closes.
  std::function<void()> onCloseTask;

  // The sound switches: true when a setting changed (saved and told through the choices).
  bool AzanSoundBtnClick();
  // While a recitation plays, only stops it (false).
  bool AlarmSoundBtnClick();
  bool ae_AllSoundsClick();
  bool AllowShuruqWarningClick();
  bool ae_BasmalahClick();
  void ae_StopSoundThisTimeonlyClick();
  // The all-sounds item is checked.
  bool AllSoundsChecked() const;
  // The adhan chosen from the Sounds menu: 0..5 or kAllAzhans; other values are ignored. True
  // when the choice changed (saved and told).
  bool SelectAzhan(int index);
  // The test items, tags 1..8: play that recording.
  void TestAzhan(int tag);
  // The alert window's mute: stops all sound and ends the alarm sequence.
  void MuteAlertSound();

  // The reading menus. ReadAvailableSurasClick shows the no-files message when nothing plays.
  void ReadAvailableSurasClick();
  void NextSuraClick();
  void StopReadingClick() { recitation_.StopReadingClick(); }
  void RefreshClick() { recitation_.RefreshClick(); }
  bool ReadItemsEnabled() const { return recitation_.ReadItemsEnabled(); }
  bool NextItemsEnabled() const { return recitation_.NextItemsEnabled(); }

  Recitation& Reading() { return recitation_; }
  const Recitation& Reading() const { return recitation_; }

 private:
  bool FajrAzhanPresent() const;
  bool ShuruqRecitationPresent() const;
  // The first present recording at or after from, wrapping after 5; -1 when none.
  int PresentAzhanFrom(int from) const;
  void Decide(bool force, const NextEvent& next, const TriggerMoment& moment);
  void PlayAzhanInTurn(TPrayerSlot kind);
  void StopAllSound();

  SoundChoices& choices_;
  const VekSettings& settings_;
  SoundPlayer& player_;
  AlertPort& alert_;
  UiServices& ui_;
  std::filesystem::path programFolder_;
  Recitation recitation_;
  std::array<bool, 6> presentAzhans_{};
  std::deque<int> tasks_;
  // The whole minute whose decision is running, or -1.
  long long decidingMinute_ = -1;
};

}  // namespace vek
