// The run of the program without its windows: it owns the run's context (settings and their
// file, the location list, today's times, the trackers), loads and selects the location,
// computes the day, saves the settings and the location file, and tells its listeners what
// changed, so that any window or dialog can change a setting and every other one follows.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/prayer_times.h"
#include "foundation/language.h"
#include "foundation/ui_services.h"
#include "program/display_texts.h"
#include "program/vek_context.h"
#include "program/wall_clock.h"

namespace vek {

// What a listener of the session is told.
enum class SessionChange {
  Language,  // the user's language
  Location,  // the current location or its record, and so today's times and the trackers
  DateKind,  // Hijri or Gregorian dates
  Setting,   // any other setting
  Minute,    // a new minute of the clock
  Day,       // a new day: date captions, Ramadan and today's times
};

class ProgramSession {
 public:
  using Listener = std::function<void(SessionChange)>;

  // ui shows the session's messages; clock gives the local date and time.
  ProgramSession(std::filesystem::path programFolder, UiServices& ui, WallClock& clock);
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  VekContext& Context() { return ctx_; }
  const VekContext& Context() const { return ctx_; }
  VekSettings& Settings() { return ctx_.Settings; }
  const VekSettings& Settings() const { return ctx_.Settings; }
  Language Lang() const { return ctx_.Settings.Lang; }
  bool Arabic() const { return ctx_.Settings.Lang == Language::Arabic; }
  UiServices& Ui() { return ui_; }
  WallClock& Clock() { return clock_; }
  const std::filesystem::path& ProgramFolder() const { return ctx_.ThisPath; }

  // The local date-time, today's date (whole days) and the current year.
  double Now() const { return clock_.Now(); }
  double Today() const;
  int CurrentYear() const;
  // The engine's settings: the safety offsets, the Hijri adjustment and its beeps.
  EngineContext Engine();

  // The start-up. OpenSettings reads VEK.INI (a file that cannot be read is reported and read
  // as defaults) and then the command line, which can only add to the ForceArabic key.
  void OpenSettings(const std::vector<std::string>& parameters);
  // Reads VEK.LOC. False after the location file's message when the program cannot go on.
  bool LoadLocations();
  // The saved city, country and state (the first location when they match none), with its
  // trackers scanned.
  void SelectSavedLocation();
  // The start-up has finished: from now on the settings are written at every change.
  void StartupFinished();

  // The list has a current location.
  bool HasCurrentLocation() const;
  // IsRamadan from today's Hijri date: at start, at each day change and after the Hijri
  // adjustment changes.
  void UpdateRamadan();
  // Today's and yesterday's times of the current location (nothing without one).
  void ComputeToday();
  // The high-latitude trackers of the current location's year (reset without one).
  void RescanTrackers();

  // After a location dialog: the trackers, today's times, the location file (saveLocations)
  // and the settings (saveSettings) follow the list; listeners hear Location.
  void AfterLocationChange(bool saveSettings, bool saveLocations);
  // A new minute (listeners hear Minute) and a new day (Ramadan and today's times follow,
  // listeners hear Day).
  void MinuteChanged();
  void DayChanged();

  // Changes of settings: each is saved and told.
  void SetLanguage(Language lang);
  void ToggleDateKind();
  // A setting that the caller changed in Settings(): saved, and listeners hear Setting.
  void SettingChanged();

  // Writes VEK.INI once the start-up has finished; a failure is shown once per run.
  void SaveSettings();
  // Writes VEK.LOC when the list was changed; a failure was shown and the list stays modified.
  bool SaveLocationsIfModified();
  // The saves of a closing program: the settings and a changed location list.
  void SaveAtClose();

  // Texts of the current state: today's date caption (Hijri or Gregorian), the current minute,
  // and the days of the year as the high-latitude explanations show them (the user's month
  // names, in the date kind shown).
  std::string DateCaptionText() const;
  std::string TimeText() const;
  MonthCaptionContext DayCaptions() const;
  // What the trackers found, in the user's language; empty when nothing.
  std::string ConflictText() const;

  // Listeners are told of every change until they are removed.
  int Listen(Listener listener);
  void Unlisten(int id);
  void Notify(SessionChange change);

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
  VekContext ctx_;
  UiServices& ui_;
  WallClock& clock_;
  bool settingsErrorShown_ = false;
  std::map<int, Listener> listeners_;
  int nextListener_ = 1;
};

}  // namespace vek
