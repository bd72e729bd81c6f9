// One day of a timetable: row number, date, the seven times and the turning-point markers.
#pragma once

#include <array>
#include <cstdint>

#include "engine/day_times.h"

namespace vek {

class KQItem {
 public:
  // A new row has no markers.
  KQItem(std::int32_t rowNo, double date, const TDayTimesRec& times)
      : RowNo(rowNo), Date(date), Times(times) {}

  // A copy of another row, markers included.
  static KQItem CreateFrom(const KQItem& item) { return item; }

  std::int32_t RowNo;                              // 1 for the first day of the range
  double Date;                                     // days since 30 December 1899
  std::array<std::uint8_t, kPrayerSlots> Peaks{};  // one marker per slot, 0 = none
  TDayTimesRec Times;
};

}  // namespace vek
