#include "sounds/sound_trigger.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "program/settings_converters.h"

namespace vek {

namespace {

constexpr const char* kShuruqRecitation = "SURAS\\S30.WAV";

long long WholeMinutes(double day, double timeOfDay) {
  return std::llround((day + timeOfDay) * 1440.0);
}

}  // namespace

TriggerMoment MomentOf(const ClockTick& tick) {
  return {tick.NowMinute(), tick.Today(), tick.LastMinute(), tick.LastDay()};
}

std::string AlarmSoundButtonCaption(bool alarmSoundOn, Language lang) {
  return alarmSoundOn ? ByLanguage(lang, "Disable", "تعطيل") : ByLanguage(lang, "Enable", "تمكين");
}

std::string AlarmSoundButtonHint(bool alarmSoundOn, Language lang) {
  if (alarmSoundOn)
    return std::string(ByLanguage(lang, "Alarms are currently allowed", "التنبيهات مسموحة حاليا")) +
           "\r\n" +
           ByLanguage(lang, "Press to prevent hearing the alarms", "اضغط لمنع سماع التنبيهات");
  return std::string(
             ByLanguage(lang, "Alarms are currently not allowed", "التنبيهات غير مسموحة حاليا")) +
         "\r\n" +
         ByLanguage(lang, "Press to allow hearing the alarms", "اضغط للسماح بسماع التنبيهات");
}

SoundTrigger::SoundTrigger(SoundChoices& choices, SoundPlayer& player, AlertPort& alert,
                           UiServices& ui, std::filesystem::path programFolder)
    : choices_(choices),
      settings_(choices.Settings()),
      player_(player),
      alert_(alert),
      ui_(ui),
      programFolder_(std::move(programFolder)),
      recitation_(player, settings_, alert, programFolder_) {
  player_.SetOnEnd([this] { recitation_.MediaPlayer1Notify(); });
}

SoundTrigger::~SoundTrigger() {
  player_.SetOnEnd({});
}

void SoundTrigger::SetPresentAzhans(const std::array<bool, 6>& present) {
  presentAzhans_ = present;
  const int found = PresentAzhanFrom(settings_.NextAzhanChoice < 6 ? settings_.NextAzhanChoice : 0);
  const std::uint8_t next = found < 0 ? kNoAzhan : static_cast<std::uint8_t>(found);
  if (next != settings_.NextAzhanChoice)
    choices_.SetNextAzhan(next);
}

int SoundTrigger::AvailableAzhanCount() const {
  return static_cast<int>(std::count(presentAzhans_.begin(), presentAzhans_.end(), true));
}

bool SoundTrigger::AzhanItemEnabled(int index) const {
  return index >= 0 && index < 6 && presentAzhans_[index];
}

int SoundTrigger::PresentAzhanFrom(int from) const {
  for (int i = 0; i < 6; ++i) {
    const int index = (from + i) % 6;
    if (presentAzhans_[index])
      return index;
  }
  return -1;
}

std::filesystem::path SoundTrigger::SoundFilePath(const std::string& name) const {
  return vek::SoundFilePath(programFolder_, name);
}

bool SoundTrigger::FajrAzhanPresent() const {
  return !SoundFilePath("SOUNDS\\" + std::string(AzhanFiles[kFajrAzhan])).empty();
}

bool SoundTrigger::ShuruqRecitationPresent() const {
  return !SoundFilePath(std::string("SOUNDS\\") + kShuruqRecitation).empty();
}

bool SoundTrigger::PlaySoundFile(const std::string& name) {
  if (player_.Playing())
    player_.Stop();
  const std::filesystem::path file = SoundFilePath("SOUNDS\\" + name);
  return !file.empty() && player_.PlayFile(file);
}

void SoundTrigger::StopAllSound() {
  player_.StopResource();
  recitation_.StopRecitation();
}

void SoundTrigger::PlayEventSound(TPrayerSlot kind, int index) {
  if (kind == Fajr && FajrAzhanPresent())
    PlaySoundFile(std::string(AzhanFiles[kFajrAzhan]));
  else if (kind == Shuruq && ShuruqRecitationPresent())
    PlaySoundFile(kShuruqRecitation);
  else if (index >= 0 && index < static_cast<int>(AzhanFiles.size()))
    PlaySoundFile(std::string(AzhanFiles[index]));
  ShowAlertSoundCaption(kind, index);
}

void SoundTrigger::ShowAlertSoundCaption(TPrayerSlot kind, int index) {
  if (!alert_.Exists() || AvailableAzhanCount() == 0)
    return;
  const Language lang = settings_.Lang;
  const auto azhanLine = [&](int i) {
    return lang == Language::Arabic ? "أذان " + settings_.AzhanDescriptions.Arabic[i]
                                    : settings_.AzhanDescriptions.English[i] + " Azhan";
  };
  if (kind != Shuruq) {
    if (settings_.AzanSoundOn) {
      alert_.EnableMuteButtons(true);
    } else {
      alert_.SetSoundLine(ByLanguage(lang, "Azhan sound disabled", "صوت الأذان غير مطلوب"));
      player_.Stop();
      alert_.EnableMuteButtons(false);
    }
  }
  if (kind == Shuruq) {
    if (settings_.ShuruqSoundOn && ShuruqRecitationPresent())
      alert_.SetSoundLine(ByLanguage(lang, "Al Room (30): 16-19", "الروم (30): 16-19"));
    return;
  }
  // With the adhan sound off the line keeps saying so, at Fajr too.
  if (!settings_.AzanSoundOn)
    return;
  if (kind == Fajr)
    alert_.SetSoundLine(FajrAzhanPresent()
                            ? azhanLine(kFajrAzhan)
                            : ByLanguage(lang, "No fajr Azhan Available", "أذان الفجر غير متوفر"));
  else if (index >= 0 && index < 6)
    alert_.SetSoundLine(azhanLine(index));
  else
    alert_.SetSoundLine("-");
}

void SoundTrigger::ShowAlertWindow(TPrayerSlot kind, bool atTime, int minutesToNext) {
  if (alert_.Exists() && alert_.PrayerIndex() == kind && alert_.AtPrayerTime() == atTime)
    return;
  const bool wanted = settings_.ShowWarningScreen;
  if (!alert_.Exists() && wanted)
    alert_.Create();
  if (atTime) {
    if (wanted)
      alert_.ShowPrayerTimeAlert(kind);
    // The prayer time ends a recitation; it does not resume after the adhan.
    if (player_.Playing())
      recitation_.StopRecitation();
  } else if (wanted) {
    alert_.ShowMinutesBefore(kind, minutesToNext);
  }
  if (alert_.Exists() && wanted)
    alert_.Show();
  ui_.Beep();
}

void SoundTrigger::PlayAzhanInTurn(TPrayerSlot kind) {
  const int current =
      PresentAzhanFrom(settings_.NextAzhanChoice < 6 ? settings_.NextAzhanChoice : 0);
  if (current < 0)
    return;
  PlayEventSound(kind, current);
  const auto next = static_cast<std::uint8_t>(PresentAzhanFrom((current + 1) % 6));
  if (next != settings_.NextAzhanChoice)
    choices_.SetNextAzhan(next);
}

void SoundTrigger::SoundAndAlertTrigger(bool force, const NextEvent& next,
                                        const TriggerMoment& moment) {
  // The clock's minute is marked handled only after its handler returns, so a message box opened
  // inside this decision (a failed save of the rotation step) lets the clock call again for the
  // same minute: that call would play the next adhan over the one just started.
  const long long minute = WholeMinutes(moment.Today, moment.NowMinute);
  if (minute == decidingMinute_)
    return;
  const long long outer = std::exchange(decidingMinute_, minute);
  Decide(force, next, moment);
  decidingMinute_ = outer;
}

void SoundTrigger::Decide(bool force, const NextEvent& next, const TriggerMoment& moment) {
  const TPrayerSlot kind = next.Kind;
  const int minutes = next.MinutesToNext;
  if (minutes == 0) {
    ShowAlertWindow(kind, true, minutes);
    if (!settings_.AzanSoundOn)
      ShowAlertSoundCaption(kind, kNoAzhan);
    if (kind == Shuruq && settings_.ShuruqSoundOn && ShuruqRecitationPresent())
      PlayEventSound(kind, settings_.AzhanIndex);
    if (kind != Shuruq && settings_.AzanSoundOn) {
      if (player_.Playing())
        recitation_.StopRecitation();
      if (AvailableAzhanCount() == 0)
        return;
      player_.StopResource();
      if (kind == Fajr && FajrAzhanPresent())
        PlayEventSound(kind, kFajrAzhan);
      else if (settings_.AzhanIndex == kAllAzhans)
        PlayAzhanInTurn(kind);
      else if (settings_.AzhanIndex != kNoAzhan)
        PlayEventSound(kind, settings_.AzhanIndex);
    }
  }

  if (minutes == AlarmMinutes && kind != Zuhr) {
    ShowAlertWindow(kind, false, minutes);
    if (settings_.AlarmSoundOn)
      StartTask(kTaskAlarm);
  }
  if (minutes >= AlarmMinutes || minutes == 0)
    return;

  if (alert_.Exists() && !alert_.AtPrayerTime() && settings_.ShowWarningScreen)
    alert_.ShowMinutesBefore(alert_.PrayerIndex(), minutes);

  // Whole date-times, so that the step over midnight is one minute like any other.
  const long long gap = WholeMinutes(moment.Today, moment.NowMinute) -
                        WholeMinutes(moment.LastDay, moment.LastMinute);
  const bool jumped = std::llabs(gap) >= kJumpMinutes;
  if (!force && !jumped)
    return;
  if (kind == Zuhr)
    return;
  ShowAlertWindow(kind, false, minutes);
  if (settings_.AlarmSoundOn && !player_.Playing())
    StartTask(kTaskAlarm);
}

void SoundTrigger::StartTask(int code) {
  if (std::find(tasks_.begin(), tasks_.end(), code) == tasks_.end())
    tasks_.push_back(code);
}

void SoundTrigger::RunNextTask() {
  if (tasks_.empty())
    return;
  const int code = tasks_.front();
  tasks_.pop_front();
  switch (code) {
    case kTaskBasmalah:
      player_.PlayResource("BASMALAH");
      break;
    case kTaskAlarm:
      recitation_.StartAlarm();
      break;
    case kTaskFirstSura:
      recitation_.ReadFirstSura();
      break;
    case kTaskNextSura:
      recitation_.ReadNextSura();
      break;
    case kTaskClose:
      if (onCloseTask)
        onCloseTask();
      break;
    default:
      break;
  }
}

// The sound stops before the switch is told, so that the menus told of it show the recitation
// stopped.
bool SoundTrigger::AzanSoundBtnClick() {
  recitation_.EnableReadAndNextItems();
  const bool on = !settings_.AzanSoundOn;
  if (!on)
    StopAllSound();
  choices_.SetAzanSound(on);
  return true;
}

bool SoundTrigger::AlarmSoundBtnClick() {
  recitation_.EnableReadAndNextItems();
  if (recitation_.RecitationRunning()) {
    recitation_.StopRecitation();
    return false;
  }
  const bool on = !settings_.AlarmSoundOn;
  if (!on)
    recitation_.StopRecitation();
  choices_.SetAlarmSound(on);
  return true;
}

bool SoundTrigger::ae_AllSoundsClick() {
  const int set = settings_.AlarmSoundOn + settings_.OpeningBasmalah + settings_.AzanSoundOn +
                  settings_.ShuruqSoundOn;
  choices_.SetAllSounds(set < 2);
  return true;
}

bool SoundTrigger::AllSoundsChecked() const {
  return settings_.AlarmSoundOn && settings_.OpeningBasmalah && settings_.AzanSoundOn &&
         settings_.ShuruqSoundOn;
}

bool SoundTrigger::AllowShuruqWarningClick() {
  choices_.SetShuruqSound(!settings_.ShuruqSoundOn);
  return true;
}

bool SoundTrigger::ae_BasmalahClick() {
  choices_.SetOpeningBasmalah(!settings_.OpeningBasmalah);
  return true;
}

void SoundTrigger::ae_StopSoundThisTimeonlyClick() {
  StopAllSound();
}

bool SoundTrigger::SelectAzhan(int index) {
  if (!((index >= 0 && index < 6) || index == kAllAzhans) || settings_.AzhanIndex == index)
    return false;
  choices_.SetAzhan(static_cast<std::uint8_t>(index));
  return true;
}

void SoundTrigger::TestAzhan(int tag) {
  if (tag < 1 || tag > static_cast<int>(AzhanFiles.size()))
    return;
  StopAllSound();
  PlaySoundFile(std::string(AzhanFiles[tag - 1]));
}

void SoundTrigger::MuteAlertSound() {
  player_.StopResource();
  if (player_.Playing())
    recitation_.StopRecitation();
}

void SoundTrigger::ReadAvailableSurasClick() {
  if (!recitation_.ReadAvailableSurasClick())
    ShowProgramMessage(NoSuraFilesText(settings_.Lang), ui_);
}

void SoundTrigger::NextSuraClick() {
  recitation_.NextSuraClick();
  StartTask(kTaskNextSura);
}

}  // namespace vek
