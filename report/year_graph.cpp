#include "report/year_graph.h"

#include <algorithm>
#include <cmath>

#include "engine/calendar.h"
#include "program/countdown.h"
#include "program/current_location.h"

namespace vek {

std::vector<KQItem> YearGraphRows(double today, bool hijriMode, int hijriAdjust,
                                  const std::function<TDayTimesRec(double)>& dayTimes) {
  const int year = DecodeCalendarDate(today, hijriMode, hijriAdjust).year;
  const double first = EncodeCalendarDate(year, 1, 1, hijriMode, hijriAdjust);
  const int count = DaysInCalendarYear(year, hijriMode, hijriAdjust);
  std::vector<KQItem> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    rows.emplace_back(i + 1, first + i, dayTimes(first + i));
  return rows;
}

std::vector<KQItem> YearGraphRows(double today, bool hijriMode, const TLocations& list,
                                  const EngineContext& engine) {
  return YearGraphRows(today, hijriMode, engine.HijriAdjust,
                       [&](double date) { return ComputeDayTimesForCurrent(list, date, engine); });
}

YearGraphImage DrawYearGraph(const std::vector<KQItem>& rows, int height, int hijriAdjust) {
  YearGraphImage image;
  image.Width = static_cast<int>(rows.size());
  image.Height = std::max(height, 0);
  const int h = image.Height;
  image.Pixels.assign(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(h),
                      kGraphBackground);
  const int top = -1;  // the edges lie just outside the picture, so that lines reach its rows
  const int bottom = h;

  for (int x = 0; x < image.Width; ++x) {
    const KQItem& row = rows[static_cast<std::size_t>(x)];
    // A line from y0 towards y1, without y1.
    const auto line = [&](int y0, int y1, std::uint32_t color) {
      const int step = y0 < y1 ? 1 : -1;
      for (int y = y0; y != y1; y += step)
        if (y >= 0 && y < h)
          image.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width) +
                       static_cast<std::size_t>(x)] = color;
    };
    int y[kPrayerSlots];
    for (int slot = 0; slot < kPrayerSlots; ++slot)
      y[slot] = h - MinuteOfDay(row.Times[static_cast<std::size_t>(slot)]) * h / 1440;

    // A band from one time to a later one; when the later one is past midnight (lower on the
    // picture), the evening part runs to the top edge and the rest from the bottom edge.
    const auto band = [&](int from, int to, std::uint32_t color) {
      if (to <= from) {
        line(from, to, color);
      } else {
        line(from, top, color);
        line(bottom, to, color);
      }
    };
    // A band that lies after midnight as a whole: drawn only when it runs upwards.
    const auto afterMidnight = [&](int from, int to, std::uint32_t color) {
      if (to < from)
        line(from, to, color);
    };

    if (IsRamadanDate(row.Date, hijriAdjust))
      band(y[Imsak], y[Fajr], kGraphImsak);
    if (y[Fajr] > y[Shuruq]) {
      line(y[Fajr], y[Shuruq], kGraphFajr);
    } else {
      line(y[Fajr], top, kGraphFajr);
      line(y[Shuruq], bottom, kGraphFajr);
    }
    line(y[Shuruq], y[Zuhr], kGraphShuruq);
    line(y[Zuhr], y[Asr], kGraphZuhr);
    band(y[Asr], y[Maghrib], kGraphAsr);
    // Isha after Fajr on the clock, both after midnight: blue up to Fajr, lime from Fajr on.
    const auto ishaAfterMidnight = [&](int from) {
      if (y[Fajr] <= y[Isha]) {
        afterMidnight(from, y[Isha], kGraphMaghrib);
      } else {
        image.Conflict = true;
        afterMidnight(from, y[Fajr], kGraphMaghrib);
        afterMidnight(std::min(from, y[Fajr]), y[Isha], kGraphConflict);
      }
    };
    if (y[Maghrib] > y[Asr]) {
      // Maghrib after midnight (the summer of the far north), and Isha after it.
      ishaAfterMidnight(y[Maghrib]);
    } else if (y[Isha] < y[Maghrib]) {
      line(y[Maghrib], y[Isha], kGraphMaghrib);
    } else {
      // Isha after midnight: the evening to the top edge, then from the bottom edge.
      line(y[Maghrib], top, kGraphMaghrib);
      ishaAfterMidnight(bottom);
    }
  }
  return image;
}

}  // namespace vek
