#include "program/program_session.h"

#include <cmath>
#include <memory>
#include <utility>

#include "engine/calendar.h"
#include "foundation/arabic_support.h"
#include "foundation/program_folder.h"
#include "locations/location_file.h"
#include "program/countdown.h"
#include "program/current_location.h"
#include "program/settings.h"

namespace vek {

ProgramSession::ProgramSession(std::filesystem::path programFolder, UiServices& ui,
                               WallClock& clock, CommandLineSwitches switches)
    : switches_(switches), ui_(ui), clock_(clock) {
  ctx_.ThisPath = std::move(programFolder);
  ctx_.Tick.Read(clock_.Now());
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

bool ProgramSession::Start(const StartupSteps& steps) {
  const auto run = [](const std::function<void()>& step) {
    if (step)
      step();
  };
  ReadStartLanguage();
  run(steps.BeforeSettings);
  OpenSettings();
  CheckArabicSupport(steps.CanShowArabic ? steps.CanShowArabic
                                         : std::function<bool()>([] { return true; }));
  run(steps.AfterSettings);
  run(steps.LoadSoundsAndClock);
  UpdateRamadan();
  if (!LoadLocations()) {
    run(steps.LocationsUnusable);
    return false;
  }
  SelectSavedLocation();
  if (steps.TrayUsable && !steps.TrayUsable() && ctx_.Settings.MinimizeToTray)
    SetMinimizeToTray(false);
  run(steps.LocationSelected);
  // The wizard opens before any day is computed; the times of the city chosen there show when
  // it closes.
  if (ctx_.FirstRun || steps.WizardAsked)
    run(steps.RunWizard);
  run(steps.BeforeDay);
  ComputeToday();
  run(steps.ShowDay);
  StartupFinished();
  run(steps.Finished);
  return true;
}

void ProgramSession::ReadStartLanguage() {
  ctx_.Settings.Lang = ReadSettingsLanguage(
      IniFile(FindFileIgnoringCase(ctx_.ThisPath, std::string(kSettingsFileName))));
  ui_.SetLanguage(ctx_.Settings.Lang);
}

void ProgramSession::OpenSettings() {
  bool missing = true;
  // A file that cannot be read, or is refused (not a regular file, too large), is never
  // written over in this run.
  if (OpenSettingsFile(ctx_.SettingsFile, ctx_.ThisPath, missing) != 0)
    ui_.ShowMessage(ByLanguage(Lang(), "The settings file could not be read:\r\n",
                               "تعذرت قراءة ملف الإعدادات:\r\n") +
                    ctx_.SettingsFile.FileName().string() + "\r\n" +
                    ReadRefusalText(ctx_.SettingsFile.LoadResult(), Arabic()));
  ctx_.FirstRun = missing;
  const bool forcedByCommandLine = switches_.forceArabic;
  ReadSettings(ctx_.SettingsFile, ctx_.Settings, switches_);
  switches_.forceArabic = switches_.forceArabic || forcedByCommandLine;
  ui_.SetLanguage(ctx_.Settings.Lang);
}

void ProgramSession::CheckArabicSupport(const std::function<bool()>& canShowArabic) {
  ctx_.ArabicSupported = vek::CheckArabicSupport(switches_, canShowArabic, ui_);
}

// The notice of a converted file first, then the failure's message; the splash screen is closed
// before a failure that stops the start, so that it never hides it.
void ProgramSession::ShowLocationFileResult(const LocationFileResult& result) {
  const Language lang = ctx_.Settings.Lang;
  if (!result.Notice(lang).empty())
    ui_.ShowMessage(result.Notice(lang));
  if (result.ok)
    return;
  if (result.fatal)
    ui_.CloseSplash();
  ui_.ShowMessage(result.Text(lang));
}

bool ProgramSession::LoadLocations() {
  const LocationFileResult result = fnReadLocations(ctx_.Locations, {ctx_.ThisPath});
  ShowLocationFileResult(result);
  return !result.fatal;
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

void ProgramSession::StartAzhanRotation(const std::array<bool, 6>& present) {
  VekSettings& s = ctx_.Settings;
  s.NextAzhanChoice =
      s.NextAzhanIndex < 6 && present[s.NextAzhanIndex] ? s.NextAzhanIndex : kNoNextAzhanChoice;
}

void ProgramSession::StartupFinished() {
  ctx_.FormCreated = true;
  SaveSettings();
}

void ProgramSession::FoundInstaller(std::string path, bool run) {
  ctx_.FoundInstallerPath = std::move(path);
  ctx_.RunInstaller = run;
}

std::string ProgramSession::TakeInstallerToRun() {
  if (!ctx_.RunInstaller)
    return {};
  ctx_.RunInstaller = false;
  return ctx_.FoundInstallerPath;
}

void ProgramSession::SetClosingWithoutPrompt(bool on) {
  ctx_.ClosingWithoutPrompt = on;
}

void ProgramSession::MarkWebLinkVisited() {
  ctx_.WebLinkVisited = true;
}

void ProgramSession::MarkUpdateLinkVisited() {
  ctx_.UpdateLinkVisited = true;
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
  UpdateNextEvent();
}

void ProgramSession::RescanTrackers() {
  ctx_.Track.Reset();
  if (HasCurrentLocation())
    ScanHighLatitudeForCurrent(ctx_.Locations, CurrentYear(), Engine(), ctx_.Track);
}

namespace {

// The same locations, current location and modified mark, in items of its own.
TLocations CopyOfList(const TLocations& list) {
  TLocations copy;
  for (int i = 0; i < list.Count(); ++i)
    copy.Append(std::make_unique<TLocation>(list.GetItem(i).Rec));
  copy.CurrentIndex = list.CurrentIndex;
  copy.Modified = list.Modified;
  return copy;
}

}  // namespace

// The dialog works on a copy, so that nothing outside the session changes its list, and the
// main window and the report keep reading a whole list while the dialog is open (a new day
// computes today's times of the location shown). The high-latitude trackers are scanned again
// for the current location after every dialog, so that the status marks describe the location
// shown. The Change button and Edit leave the settings to the next save.
void ProgramSession::EditLocations(LocationEdit kind,
                                   const std::function<void(TLocations&)>& edit) {
  if (editingLocations_)
    return;
  TLocations working = CopyOfList(ctx_.Locations);
  editingLocations_ = true;
  try {
    edit(working);
  } catch (...) {
    editingLocations_ = false;
    throw;
  }
  editingLocations_ = false;
  ctx_.Locations = std::move(working);
  RescanTrackers();
  ComputeToday();
  SaveLocationsIfModified();
  if (kind == LocationEdit::SelectFromMenu || kind == LocationEdit::Operations)
    SaveSettings();
  Notify(SessionChange::Location);
}

void ProgramSession::AdvanceClock(const std::function<void()>& onMinute,
                                  const std::function<void()>& onDay) {
  ctx_.Tick.OnSecond(clock_.Now(), onMinute, onDay);
}

void ProgramSession::ReadClock() {
  const double minute = ctx_.Tick.NowMinute();
  const double day = ctx_.Tick.Today();
  ctx_.Tick.Read(clock_.Now());
  if (ctx_.Tick.NowMinute() != minute || ctx_.Tick.Today() != day)
    Notify(SessionChange::Minute);
}

void ProgramSession::UpdateNextEvent() {
  ctx_.Next = ComputeNextEvent(MinuteOfDay(ctx_.Tick.NowMinute()), ctx_.TodayTimes,
                               ctx_.YesterdayTimes, ctx_.IsRamadan, ctx_.Status);
}

void ProgramSession::MinuteChanged() {
  if (HasCurrentLocation())
    UpdateNextEvent();
  Notify(SessionChange::Minute);
}

void ProgramSession::DayChanged() {
  UpdateRamadan();
  ComputeToday();
  Notify(SessionChange::Day);
}

void ProgramSession::Changed(SessionChange change) {
  SaveSettings();
  Notify(change);
}

void ProgramSession::SetLanguage(Language lang) {
  ctx_.Settings.Lang = lang;
  ui_.SetLanguage(lang);
  Changed(SessionChange::Language);
}

void ProgramSession::ToggleDateKind() {
  ctx_.Settings.HijriMode = !ctx_.Settings.HijriMode;
  Changed(SessionChange::DateKind);
}

void ProgramSession::Set24Hour(bool on) {
  ctx_.Settings.Is24H = on;
  Changed(SessionChange::Setting);
}

void ProgramSession::SetShowHint(bool on) {
  ctx_.Settings.ShowHint = on;
  Changed(SessionChange::Setting);
}

// The adjustment moves the Ramadan days, which the times and the high-latitude scan use.
void ProgramSession::SetHijriAdjust(int days) {
  ctx_.Settings.HijriAdjust = days;
  UpdateRamadan();
  RescanTrackers();
  ComputeToday();
  Changed(SessionChange::Setting);
}

// The offsets enter every computed time, the high-latitude scan's too.
void ProgramSession::SetSafetyTimes(const SafetyOffsets& offsets) {
  ctx_.Settings.Safety = offsets;
  RescanTrackers();
  ComputeToday();
  Changed(SessionChange::Setting);
}

// The date captions and the high-latitude texts take the new names.
void ProgramSession::SetNames(const NameLists& names) {
  ctx_.Settings.Names = names;
  Changed(SessionChange::Setting);
}

void ProgramSession::SetClockFace(int index) {
  ctx_.Settings.ClockFaceIndex = index;
  Changed(SessionChange::Clock);
}

void ProgramSession::SetClockSize(int index) {
  ctx_.Settings.ClockSizeIndex = index;
  Changed(SessionChange::Clock);
}

void ProgramSession::SetClockWhite(bool white) {
  ctx_.Settings.ClockWhite = white;
  Changed(SessionChange::Clock);
}

void ProgramSession::SetHandsColor(int index) {
  ctx_.Settings.HandsColorIndex = index;
  Changed(SessionChange::Clock);
}

void ProgramSession::SetMinimizeToTray(bool on) {
  ctx_.Settings.MinimizeToTray = on;
  Changed(SessionChange::Tray);
}

void ProgramSession::SetPromptToClose(bool on) {
  ctx_.Settings.PromptToClose = on;
  Changed(SessionChange::Option);
}

void ProgramSession::SetShowSplash(bool on) {
  ctx_.Settings.ShowSplashOption = on;
  Changed(SessionChange::Option);
}

void ProgramSession::SetShowWarningScreen(bool on) {
  ctx_.Settings.ShowWarningScreen = on;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SetMoveScreenSaver(bool on) {
  ctx_.Settings.MoveScreenSaverOption = on;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SetAzhanDescription(Language lang, int index, std::string description) {
  AzhanDescriptionLists& lists = ctx_.Settings.AzhanDescriptions;
  auto& descriptions = lang == Language::Arabic ? lists.Arabic : lists.English;
  if (index < 0 || index >= static_cast<int>(descriptions.size()))
    return;
  descriptions[static_cast<std::size_t>(index)] = std::move(description);
  Changed(SessionChange::Sounds);
}

// The sound trigger's choices.
void ProgramSession::SetAzhan(std::uint8_t index) {
  ctx_.Settings.AzhanIndex = index;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SetNextAzhan(std::uint8_t index) {
  ctx_.Settings.NextAzhanChoice = index;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SetAzanSound(bool on) {
  ctx_.Settings.AzanSoundOn = on;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SetAlarmSound(bool on) {
  ctx_.Settings.AlarmSoundOn = on;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SetOpeningBasmalah(bool on) {
  ctx_.Settings.OpeningBasmalah = on;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SetShuruqSound(bool on) {
  ctx_.Settings.ShuruqSoundOn = on;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SetAllSounds(bool on) {
  VekSettings& s = ctx_.Settings;
  s.AzanSoundOn = s.AlarmSoundOn = s.OpeningBasmalah = s.ShuruqSoundOn = on;
  Changed(SessionChange::Sounds);
}

void ProgramSession::SaveSettings() {
  if (!ctx_.FormCreated)
    return;
  const int e = vek::SaveSettings(ctx_.SettingsFile, ctx_.Settings, switches_, &ctx_.Locations);
  // One message per run, not one per changed setting.
  if (e != 0 && !settingsErrorShown_) {
    settingsErrorShown_ = true;
    ui_.ShowMessage(SettingsNotSavedText(e, ctx_.SettingsFile.FileName(), Lang()));
  }
}

// The windows' sections of VEK.INI.
const IniFile& ProgramSession::FileSections::File() const {
  return session_.ctx_.SettingsFile;
}

void ProgramSession::FileSections::Write(const std::function<void(IniFile&)>& edit) {
  edit(session_.ctx_.SettingsFile);
  session_.SaveSettings();
}

bool ProgramSession::SaveLocationsIfModified() {
  if (!ctx_.Locations.Modified)
    return true;
  if (const LocationFileResult saved = SaveLocations(ctx_.Locations, {ctx_.ThisPath}); !saved.ok) {
    ShowLocationFileResult(saved);
    return false;
  }
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
