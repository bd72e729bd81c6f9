// The sound settings as the sound trigger sees them: it reads them through a const view and
// changes them only through these operations. In the running program each of them is kept in
// VEK.INI at once and told to the windows that show it (the program session implements them); a
// failed save may show its message, which runs the event loop inside the operation.
#pragma once

#include <cstdint>

#include "program/settings.h"

namespace vek {

class SoundChoices {
 public:
  virtual ~SoundChoices() = default;

  virtual const VekSettings& Settings() const = 0;
  // The adhan of the Sounds menu: a recording 0..5, or all of them in turn.
  virtual void SetAzhan(std::uint8_t index) = 0;
  // The next adhan of "all, in turn": a present recording 0..5, or none while none is present.
  virtual void SetNextAzhan(std::uint8_t index) = 0;
  // The sound switches, one by one or all four at once (the all-sounds item).
  virtual void SetAzanSound(bool on) = 0;
  virtual void SetAlarmSound(bool on) = 0;
  virtual void SetOpeningBasmalah(bool on) = 0;
  virtual void SetShuruqSound(bool on) = 0;
  virtual void SetAllSounds(bool on) = 0;
};

}  // namespace vek
