// The seven times of one day, in the order used everywhere in the program.
#pragma once

#include <array>
#include <cstdint>

namespace vek {

enum TPrayerSlot : std::uint8_t {
  Imsak = 0,
  Fajr = 1,
  Shuruq = 2,
  Zuhr = 3,
  Asr = 4,
  Maghrib = 5,
  Isha = 6,
};

inline constexpr int kPrayerSlots = 7;

// Times of day as fractions of a day (no date part), each a whole minute.
using TDayTimesRec = std::array<double, kPrayerSlots>;

}  // namespace vek
