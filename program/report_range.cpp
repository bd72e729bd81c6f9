#include "program/report_range.h"

#include "engine/calendar.h"

namespace vek {

RangeYears RangeYearLimits(bool hijriMode) {
  return hijriMode ? RangeYears{1318, 1627} : RangeYears{1900, 2200};
}

bool RangeYearAllowed(int year, bool hijriMode) {
  const RangeYears limits = RangeYearLimits(hijriMode);
  return limits.First <= year && year <= limits.Last;
}

double MonthStartDate(int year, int month, bool hijriMode, int hijriAdjust) {
  return EncodeCalendarDate(year, month, 1, hijriMode, hijriAdjust);
}

double RangeStartDate(const ReportRange& range, bool hijriMode, int hijriAdjust) {
  const int month = range.RangeKind == ReportKind::Year ? 1 : range.RangeMonth;
  return MonthStartDate(range.RangeYear, month, hijriMode, hijriAdjust);
}

double FirstAllowedDate(bool hijriMode, int hijriAdjust) {
  return MonthStartDate(RangeYearLimits(hijriMode).First, 1, hijriMode, hijriAdjust);
}

double LastAllowedDate(bool hijriMode, int hijriAdjust) {
  const int last = RangeYearLimits(hijriMode).Last;
  return MonthStartDate(last, 12, hijriMode, hijriAdjust) +
         DaysInCalendarMonth(last, 12, hijriMode, hijriAdjust) - 1;
}

}  // namespace vek
