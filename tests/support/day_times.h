// A day's times for tests, written as hours and minutes.
#pragma once

#include "engine/day_times.h"

namespace vek::testing {

constexpr int Hm(int h, int m) {
  return h * 60 + m;
}

// The seven times from minutes after midnight, Imsak to Isha.
inline TDayTimesRec Day(int imsak, int fajr, int shuruq, int zuhr, int asr, int maghrib, int isha) {
  const int minutes[] = {imsak, fajr, shuruq, zuhr, asr, maghrib, isha};
  TDayTimesRec t;
  for (int i = 0; i < kPrayerSlots; ++i)
    t[i] = minutes[i] / 1440.0;
  return t;
}

}  // namespace vek::testing
