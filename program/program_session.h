// The run of the program without its windows: it owns the run's context (settings and their
// file, the location list, today's times, the trackers, the clock tick and the countdown) and
// the command line's switches, loads and selects the location, computes the day, saves the
// settings and the location file, and tells its listeners what changed. Windows read the state
// and change it through the named operations, each of which does what follows the change
// (recompute, save, tell), so that every other window follows.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/prayer_times.h"
#include "foundation/command_line.h"
#include "foundation/language.h"
#include "foundation/ui_services.h"
#include "program/display_texts.h"
#include "program/settings_sections.h"
#include "program/sound_choices.h"
#include "program/startup_steps.h"
#include "program/vek_context.h"
#include "program/wall_clock.h"

namespace vek {

// What a listener of the session is told.
enum class SessionChange {
  Language,  // the user's language
  Location,  // the current location or its record, and so today's times and the trackers
  DateKind,  // Hijri or Gregorian dates
  Setting,   // a setting that times, dates and texts show: 24-hour, flying help, the Hijri
             // adjustment, the safety times, the month and day names
  Clock,     // the clock's face, size, background or hand colours
  Tray,      // minimising to the tray
  Option,    // an option that only a menu's check mark shows: the close question, the splash
  Sounds,    // the sound choices, the adhan descriptions, the alert window's options
  Minute,    // a new minute of the clock
  Day,       // a new day: date captions, Ramadan and today's times
};

struct LocationFileResult;

class ProgramSession : public SoundChoices {
 public:
  using Listener = std::function<void(SessionChange)>;

  // ui shows the session's messages; clock gives the local date and time; switches are the
  // run's command line, read once by the program entry.
  ProgramSession(std::filesystem::path programFolder, UiServices& ui, WallClock& clock,
                 CommandLineSwitches switches = {});
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  // The run's state, for reading. It changes only through the operations below.
  const VekContext& Context() const { return ctx_; }
  const VekSettings& Settings() const override { return ctx_.Settings; }
  const CommandLineSwitches& CommandLine() const { return switches_; }
  Language Lang() const { return ctx_.Settings.Lang; }
  bool Arabic() const { return ctx_.Settings.Lang == Language::Arabic; }
  UiServices& Ui() { return ui_; }
  const std::filesystem::path& ProgramFolder() const { return ctx_.ThisPath; }

  // VEK.INI's sections that the timetable and the report range keep: written through the
  // session, which saves them with the settings (see SettingsSections).
  SettingsSections& Sections() { return sections_; }

  // Today's date (whole days) of the local clock.
  double Today() const;
  // The engine's settings: the safety offsets, the Hijri adjustment and its beeps.
  EngineContext Engine();

  // The program's start-up, in its one order, with the window's steps at their points: the
  // start language, the settings, Arabic support, the sounds and the clock, the location file
  // and the saved location, the first-run wizard, today's times and the next event, and the
  // start-up's end, from which the settings are written at every change. False when the location
  // file stopped it (after LocationsUnusable).
  bool Start(const StartupSteps& steps);

  // The steps of the start-up. ReadStartLanguage takes the Language key alone, for the messages
  // that come before the settings are read. OpenSettings reads VEK.INI (a file that cannot be read
  // is reported and read as defaults); its ForceArabic key can only add to the command line's.
  void ReadStartLanguage();
  void OpenSettings();
  // Whether Arabic can be shown (FORCEARABIC, or the platform's test; a warning's Yes forces it).
  void CheckArabicSupport(const std::function<bool()>& canShowArabic);
  // Reads VEK.LOC. False after the location file's message when the program cannot go on.
  bool LoadLocations();
  // The saved city, country and state (the first location when they match none), with its
  // trackers scanned.
  void SelectSavedLocation();
  // The next adhan of "all in turn": the saved one when its recording (0..5) is present, else
  // none yet.
  void StartAzhanRotation(const std::array<bool, 6>& present);
  // The start-up has finished: from now on the settings are written at every change.
  void StartupFinished();

  // A downloaded installer found at start, and whether the user agreed to run it. The path of
  // the installer to run now (the agreement is used up), or empty.
  void FoundInstaller(std::string path, bool run);
  std::string TakeInstallerToRun();
  // The program closes without the close question (a restart, the installer), or again with it.
  void SetClosingWithoutPrompt(bool on);
  // The About box's and the alert window's links were opened in this run.
  void MarkWebLinkVisited();
  void MarkUpdateLinkVisited();

  // The list has a current location.
  bool HasCurrentLocation() const;
  // IsRamadan from today's Hijri date: at start, at each day change and after the Hijri
  // adjustment changes.
  void UpdateRamadan();
  // Today's and yesterday's times of the current location, and the next event from them
  // (nothing without one).
  void ComputeToday();

  // The location dialogs: each edits the list only through EditLocations.
  enum class LocationEdit {
    SelectFromMenu,    // Location > Select; the settings are saved
    SelectFromButton,  // the main window's Change button (the first-run wizard's too)
    EditCurrent,       // Location > Edit current location
    Operations,        // Location > Operations; the settings are saved
  };
  // Runs edit (a location dialog) on a copy of the location list, which then becomes the list:
  // the trackers, today's times and the location file (when the list was changed) follow it,
  // the settings are saved when kind says so, and listeners hear Location. Until edit returns,
  // the session and its readers keep the list as it was. A call made while another edit runs
  // does nothing.
  void EditLocations(LocationEdit kind, const std::function<void(TLocations&)>& edit);

  // One second of the clock: a new minute runs onMinute, a new day onDay (see ClockTick).
  void AdvanceClock(const std::function<void()>& onMinute, const std::function<void()>& onDay);
  // One second of the clock before the day is shown (the start-up, the first-run wizard): the
  // current minute follows the clock, and listeners hear Minute when it moved, but nothing of a
  // new minute or day is handled yet. The session reads the clock once as it is made, so that
  // TimeText() is the clock's from the start.
  void ReadClock();
  // A new minute (the next event follows, listeners hear Minute) and a new day (Ramadan, today's
  // times and the next event follow, listeners hear Day).
  void MinuteChanged();
  void DayChanged();

  // Changes of settings. Each is saved and told; those that move the times recompute first.
  void SetLanguage(Language lang);
  void ToggleDateKind();
  void Set24Hour(bool on);
  void SetShowHint(bool on);
  void SetHijriAdjust(int days);                      // Ramadan, trackers and today's times follow
  void SetSafetyTimes(const SafetyOffsets& offsets);  // trackers and today's times follow
  void SetNames(const NameLists& names);
  void SetClockFace(int index);
  void SetClockSize(int index);
  void SetClockWhite(bool white);
  void SetHandsColor(int index);
  void SetMinimizeToTray(bool on);
  void SetPromptToClose(bool on);
  void SetShowSplash(bool on);
  void SetShowWarningScreen(bool on);
  void SetMoveScreenSaver(bool on);
  // The description of adhan recording index (0..7) in lang.
  void SetAzhanDescription(Language lang, int index, std::string description);
  // The sound trigger's choices (see SoundChoices): the adhan (0..5 or all in turn), the next
  // adhan of the rotation, and the sound switches, one by one or all four at once.
  void SetAzhan(std::uint8_t index) override;
  void SetNextAzhan(std::uint8_t index) override;
  void SetAzanSound(bool on) override;
  void SetAlarmSound(bool on) override;
  void SetOpeningBasmalah(bool on) override;
  void SetShuruqSound(bool on) override;
  void SetAllSounds(bool on) override;

  // Writes VEK.INI once the start-up has finished; a failure is shown once per run.
  void SaveSettings();
  // The saves of a closing program: the settings and a changed location list.
  void SaveAtClose();

  // Texts of the current state: today's date caption (Hijri or Gregorian) and the current
  // minute.
  std::string DateCaptionText() const;
  std::string TimeText() const;
  // What the trackers found, in the user's language; empty when nothing.
  std::string ConflictText() const;

  // Listeners are told of every change until they are removed.
  int Listen(Listener listener);
  void Unlisten(int id);

  // A listener for the lifetime of a scope (an open dialog).
  class Subscription {
   public:
    Subscription(ProgramSession& session, Listener listener)
        : session_(session), id_(session.Listen(std::move(listener))) {}
    ~Subscription() { session_.Unlisten(id_); }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

   private:
    ProgramSession& session_;
    int id_;
  };

 private:
  friend class ProgramSessionTestAccess;  // tests that put the state into a given shape

  // The current year of the local clock.
  int CurrentYear() const;
  // The next event and the status of the current minute, from today's times.
  void UpdateNextEvent();
  // The high-latitude trackers of the current location's year (reset without one).
  void RescanTrackers();
  // Writes VEK.LOC when the list was changed; a failure was shown and the list stays modified.
  bool SaveLocationsIfModified();
  // Shows what reading or saving the location file came to.
  void ShowLocationFileResult(const LocationFileResult& result);
  // The days of the year as the high-latitude explanations show them (the user's month names,
  // in the date kind shown).
  MonthCaptionContext DayCaptions() const;
  // A setting changed: saved, and listeners hear change.
  void Changed(SessionChange change);
  void Notify(SessionChange change);

  VekContext ctx_;
  CommandLineSwitches switches_;
  UiServices& ui_;
  WallClock& clock_;
  bool settingsErrorShown_ = false;
  std::map<int, Listener> listeners_;
  int nextListener_ = 1;

  // The windows' sections of VEK.INI: the run's file, saved by SaveSettings.
  class FileSections final : public SettingsSections {
   public:
    explicit FileSections(ProgramSession& session) : session_(session) {}
    const IniFile& File() const override;
    void Write(const std::function<void(IniFile&)>& edit) override;

   private:
    ProgramSession& session_;
  };
  FileSections sections_{*this};
  bool editingLocations_ = false;  // EditLocations runs
};

}  // namespace vek
