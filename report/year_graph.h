// The year graph without widgets: the seven times of every day of the current year as one
// column of pixels per day, midnight at the bottom edge and the next midnight at the top, the
// intervals between the times in colours; Ramadan's Imsak in fuchsia and a Fajr/Isha conflict
// in lime.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/day_record.h"
#include "engine/prayer_times.h"
#include "locations/location_list.h"

namespace vek {

// Colours as COLORREF values (0x00BBGGRR).
inline constexpr std::uint32_t kGraphBackground = 0x000000;  // black: the night after Isha
inline constexpr std::uint32_t kGraphImsak = 0xFF00FF;       // fuchsia: Imsak to Fajr, Ramadan
inline constexpr std::uint32_t kGraphFajr = 0x00FFFF;        // yellow: Fajr to Shuruq
inline constexpr std::uint32_t kGraphShuruq = 0xFFFFFF;      // white: Shuruq to Zuhr
inline constexpr std::uint32_t kGraphZuhr = 0xFFFF00;        // aqua: Zuhr to Asr
inline constexpr std::uint32_t kGraphAsr = 0x0000FF;         // red: Asr to Maghrib
inline constexpr std::uint32_t kGraphMaghrib = 0xFF0000;     // blue: Maghrib to Isha
inline constexpr std::uint32_t kGraphConflict = 0x00FF00;    // lime: Fajr to a later Isha

// The rows of the year of today: the Hijri year from 1 Muharram in Hijri mode (354 or 355
// days), else the Gregorian year from 1 January.
std::vector<KQItem> YearGraphRows(double today, bool hijriMode, int hijriAdjust,
                                  const std::function<TDayTimesRec(double)>& dayTimes);
std::vector<KQItem> YearGraphRows(double today, bool hijriMode, const TLocations& list,
                                  const EngineContext& engine);

struct YearGraphImage {
  int Width = 0;  // one column per row
  int Height = 0;
  std::vector<std::uint32_t> Pixels;  // COLORREF, row by row from the top
  bool Conflict = false;              // a day's Isha falls after its Fajr

  std::uint32_t At(int x, int y) const {
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                  static_cast<std::size_t>(x)];
  }
};

// The picture of the rows, height pixels high. A time of day t (minutes) is at
// y = height - t * height div 1440; each interval is drawn from its first time up to, not
// including, the next.
YearGraphImage DrawYearGraph(const std::vector<KQItem>& rows, int height, int hijriAdjust);

}  // namespace vek
