// The range of a timetable: one month or one whole year of the Gregorian or the Hijri calendar
// (as the user's date kind says), the years a timetable may cover, and the first day of a range.
// The range selector chooses it, the report and the main window's report command use it.
#pragma once

#include <cstdint>

namespace vek {

enum class ReportKind : std::uint8_t { Month = 0, Year = 1 };

struct ReportRange {
  ReportKind RangeKind = ReportKind::Month;
  std::uint16_t RangeYear = 0;   // Gregorian or Hijri
  std::uint16_t RangeMonth = 1;  // 1..12
  bool operator==(const ReportRange&) const = default;
};

// The years a timetable may cover: 1318..1627 in Hijri mode, 1900..2200 otherwise.
struct RangeYears {
  int First;
  int Last;
};
RangeYears RangeYearLimits(bool hijriMode);
bool RangeYearAllowed(int year, bool hijriMode);

// Day 1 of a month of the calendar that hijriMode selects (whole days since 1899-12-30).
double MonthStartDate(int year, int month, bool hijriMode, int hijriAdjust);

// The first day of the range: day 1 of its month, or of month 1 for a year.
double RangeStartDate(const ReportRange& range, bool hijriMode, int hijriAdjust);

// The first and the last day of the allowed years.
double FirstAllowedDate(bool hijriMode, int hijriAdjust);
double LastAllowedDate(bool hijriMode, int hijriAdjust);

}  // namespace vek
