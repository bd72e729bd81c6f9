// What the sound and alert trigger asks of the prayer-time alert window, so that the trigger is
// plain logic that tests drive without widgets. The main window implements it over the real
// window; Exists() is false from the moment the window starts to close.
#pragma once

#include <string>

#include "engine/day_times.h"

namespace vek {

class AlertPort {
 public:
  virtual ~AlertPort() = default;
  virtual bool Exists() const = 0;
  // Creates the window (only called while it does not exist and the alert window is wanted).
  virtual void Create() = 0;
  virtual bool AtPrayerTime() const = 0;
  virtual TPrayerSlot PrayerIndex() const = 0;
  virtual void ShowMinutesBefore(TPrayerSlot prayer, int minutes) = 0;
  virtual void ShowPrayerTimeAlert(TPrayerSlot prayer) = 0;
  // Shows the window, not modal.
  virtual void Show() = 0;
  // The sound line under the main text.
  virtual void SetSoundLine(const std::string& text) = 0;
  // Enables or disables both mute buttons.
  virtual void EnableMuteButtons(bool enabled) = 0;
};

}  // namespace vek
