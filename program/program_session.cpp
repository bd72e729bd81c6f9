#include "program/program_session.h"

#include <cmath>

#include "engine/calendar.h"
#include "foundation/command_line.h"
#include "locations/location_file.h"
#include "program/current_location.h"
#include "program/settings.h"

namespace vek {

ProgramSession::ProgramSession(std::filesystem::path programFolder, UiServices& ui,
                               WallClock& clock)
    : ui_(ui), clock_(clock) {
  ctx_.ThisPath = std::move(programFolder);
}

double ProgramSession::Today() const {
  return std::floor(clock_.Now());
}

int ProgramSession::CurrentYear() const {
  return DecodeDate(clock_.Now()).Year;
}

EngineContext ProgramSession::Engine() {
  return EngineContext{ctx_.Settings.Safety, ctx_.Settings.HijriAdjust, &ui_};
}

void ProgramSession::OpenSettings(const std::vector<std::string>& parameters) {
  CommandLineSwitches& sw = Switches();
  bool missing = true;
  // A file that cannot be read, or is refused (not a regular file, too large), is never
  // written over in this run.
  if (OpenSettingsFile(ctx_.SettingsFile, ctx_.ThisPath, missing) != 0)
    ui_.ShowMessage(ByLanguage(Lang(), "The settings file could not be read:\r\n",
                               "تعذرت قراءة ملف الإعدادات:\r\n") +
                    ctx_.SettingsFile.FileName().string() + "\r\n" +
                    ReadRefusalText(ctx_.SettingsFile.LoadResult(), Arabic()));
  ctx_.SettingsFileMissing = missing;
  ctx_.FirstRun = missing;
  ReadSettings(ctx_.SettingsFile, ctx_.Settings, sw);
  ParseCommandLineSwitches(parameters, sw);
}

bool ProgramSession::LoadLocations() {
  LocationFileContext lctx{ctx_.ThisPath, ui_, ctx_.Settings.Lang};
  fnReadLocations(ctx_.Locations, lctx);
  ctx_.FatalStartError = lctx.FatalStartError;
  return !ctx_.FatalStartError;
}

void ProgramSession::SelectSavedLocation() {
  TLocations& list = ctx_.Locations;
  if (list.Count() == 0) {
    list.CurrentIndex = -1;
    ctx_.Track.Reset();
    return;
  }
  const VekSettings& s = ctx_.Settings;
  const int found = list.Find(s.SelectedCity, s.SelectedCountry, s.SelectedState);
  list.CurrentIndex = found >= 0 ? found : 0;
  RescanTrackers();
}

void ProgramSession::StartupFinished() {
  ctx_.FormCreated = true;
  SaveSettings();
}

bool ProgramSession::HasCurrentLocation() const {
  return vek::HasCurrentLocation(ctx_.Locations);
}

void ProgramSession::UpdateRamadan() {
  ctx_.IsRamadan = IsRamadanDate(Today(), ctx_.Settings.HijriAdjust);
}

void ProgramSession::ComputeToday() {
  if (!HasCurrentLocation())
    return;
  const TLocations& list = ctx_.Locations;
  const EngineContext engine = Engine();
  const double today = Today();
  ctx_.TodayTimes = ComputeTodayTimes(list, list.CurrentIndex, today, engine);
  ctx_.YesterdayTimes = ComputeTodayTimes(list, list.CurrentIndex, today - 1, engine);
}

void ProgramSession::RescanTrackers() {
  ctx_.Track.Reset();
  if (HasCurrentLocation())
    ScanHighLatitudeForCurrent(ctx_.Locations, CurrentYear(), Engine(), ctx_.Track);
}

// The high-latitude trackers are scanned again for the current location after every dialog, so
// that the status marks describe the location shown.
void ProgramSession::AfterLocationChange(bool saveSettings, bool saveLocations) {
  RescanTrackers();
  ComputeToday();
  if (saveLocations)
    SaveLocationsIfModified();
  if (saveSettings)
    SaveSettings();
  Notify(SessionChange::Location);
}

void ProgramSession::MinuteChanged() {
  Notify(SessionChange::Minute);
}

void ProgramSession::DayChanged() {
  UpdateRamadan();
  ComputeToday();
  Notify(SessionChange::Day);
}

void ProgramSession::SetLanguage(Language lang) {
  ctx_.Settings.Lang = lang;
  SaveSettings();
  Notify(SessionChange::Language);
}

void ProgramSession::ToggleDateKind() {
  ctx_.Settings.HijriMode = !ctx_.Settings.HijriMode;
  SaveSettings();
  Notify(SessionChange::DateKind);
}

void ProgramSession::SettingChanged() {
  SaveSettings();
  Notify(SessionChange::Setting);
}

void ProgramSession::SaveSettings() {
  if (!ctx_.FormCreated)
    return;
  const int e = vek::SaveSettings(ctx_.SettingsFile, ctx_.Settings, Switches(), &ctx_.Locations);
  // One message per run, not one per changed setting.
  if (e != 0 && !settingsErrorShown_) {
    settingsErrorShown_ = true;
    ui_.ShowMessage(SettingsNotSavedText(e, ctx_.SettingsFile.FileName(), Lang()));
  }
}

bool ProgramSession::SaveLocationsIfModified() {
  if (!ctx_.Locations.Modified)
    return true;
  LocationFileContext lctx{ctx_.ThisPath, ui_, ctx_.Settings.Lang};
  if (!SaveLocations(ctx_.Locations, lctx))
    return false;
  ctx_.Locations.Modified = false;
  return true;
}

void ProgramSession::SaveAtClose() {
  SaveSettings();
  SaveLocationsIfModified();
}

std::string ProgramSession::DateCaptionText() const {
  const VekSettings& s = ctx_.Settings;
  return DateCaption(Today(), s.HijriMode, s.Names, s.Lang, s.HijriAdjust);
}

std::string ProgramSession::TimeText() const {
  return FormatPrayerTime(ctx_.Tick.NowMinute(), ctx_.Settings.Is24H);
}

MonthCaptionContext ProgramSession::DayCaptions() const {
  const VekSettings& s = ctx_.Settings;
  return MonthCaptionContext{s.HijriMode,     s.Lang,          CurrentYear(),    s.HijriAdjust,
                             s.Names.AMonths, s.Names.EMonths, s.Names.AHMonths, s.Names.EHMonths};
}

std::string ProgramSession::ConflictText() const {
  const MonthCaptionContext days = DayCaptions();
  return Arabic() ? ArabicConflictText(ctx_.Track, days) : EnglishConflictText(ctx_.Track, days);
}

int ProgramSession::Listen(Listener listener) {
  const int id = nextListener_++;
  listeners_.emplace(id, std::move(listener));
  return id;
}

void ProgramSession::Unlisten(int id) {
  listeners_.erase(id);
}

void ProgramSession::Notify(SessionChange change) {
  // A listener may add or remove listeners while it is told; each is looked up again.
  std::vector<int> ids;
  ids.reserve(listeners_.size());
  for (const auto& [id, listener] : listeners_)
    ids.push_back(id);
  for (int id : ids) {
    const auto it = listeners_.find(id);
    if (it != listeners_.end()) {
      const Listener listener = it->second;
      listener(change);
    }
  }
}

}  // namespace vek
