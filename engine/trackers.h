// The high-latitude trackers: on which days of the summer half of the year twilight never ends
// (saturation) or Isha and Fajr collide. Only the high-latitude scan writes them.
#pragma once

#include <cstdint>

namespace vek {

struct Tracker {
  std::uint8_t Flag = 0;
  std::uint16_t FirstDay = 500;
  std::uint16_t LastDay = 0;

  void Reset() { *this = Tracker{}; }
  void Record(int day) {
    Flag = 1;
    if (day < FirstDay)
      FirstDay = static_cast<std::uint16_t>(day);
    if (day > LastDay)
      LastDay = static_cast<std::uint16_t>(day);
  }
  bool operator==(const Tracker&) const = default;
};

struct Trackers {
  Tracker IshaFajrConflict;  // the conflict rule moved Isha
  Tracker FajrSaturation;    // the Fajr (or Imsak 19.5 degree) depression is never reached
  Tracker IshaSaturation;    // the Isha depression is never reached

  void Reset() { *this = Trackers{}; }
  bool AnySet() const {
    return IshaFajrConflict.Flag || FajrSaturation.Flag || IshaSaturation.Flag;
  }
};

}  // namespace vek
