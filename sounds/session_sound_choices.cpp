#include "sounds/session_sound_choices.h"

namespace vek {

const VekSettings& SessionSoundChoices::Settings() const {
  return session_.Settings();
}

void SessionSoundChoices::SetAzhan(std::uint8_t index) {
  session_.SetAzhan(index);
}

void SessionSoundChoices::SetNextAzhan(std::uint8_t index) {
  session_.SetNextAzhan(index);
}

void SessionSoundChoices::SetAzanSound(bool on) {
  session_.SetAzanSound(on);
}

void SessionSoundChoices::SetAlarmSound(bool on) {
  session_.SetAlarmSound(on);
}

void SessionSoundChoices::SetOpeningBasmalah(bool on) {
  session_.SetOpeningBasmalah(on);
}

void SessionSoundChoices::SetShuruqSound(bool on) {
  session_.SetShuruqSound(on);
}

void SessionSoundChoices::SetAllSounds(bool on) {
  session_.SetAllSounds(on);
}

}  // namespace vek
