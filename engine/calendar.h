// Day arithmetic: dates as days since 30 December 1899 (the fraction being the time of day), the
// day of the year that indexes the solar tables, and the arithmetic Hijri calendar (a mean month
// of 29.53021944723 days from 1 Muharram 1317 = 11 May 1899) with the user's -3..+3 day
// adjustment.
#pragma once

#include <cstdint>

namespace vek {

struct CivilDate {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  bool operator==(const CivilDate&) const = default;
};

struct HijriDate {
  std::uint16_t Year = 0;
  std::uint16_t Month = 0;  // 1..12
  std::uint16_t Day = 0;    // 1..30
  bool operator==(const HijriDate&) const = default;
};

inline constexpr int kRamadan = 9;

bool IsLeapYear(int year);
int DaysInGregorianMonth(int year, int month);

// Gregorian date <-> date value (whole days; the time of day of the value is ignored).
double EncodeDate(int year, int month, int day);
CivilDate DecodeDate(double date);

// 1..366 by the Gregorian leap-year rule.
int DayNumberOfYear(double date);
int DayNumberOfYear(const CivilDate& date);

// The day and month of a day of a common year (day 60 is 1 March); a day outside 1..365 is
// clamped into that range.
void DayOfYearToDayMonth(int dayOfYear, int& day, int& month);

HijriDate DateToHijri(double date, int hijriAdjust);

// The date of a Hijri day (whole day). A day that the arithmetic calendar lacks (the 30th of a
// 29-day month) gives the estimate of that day.
double HijriToDate(int year, int month, int day, int hijriAdjust);

int HijriMonthLength(int year, int month, int hijriAdjust);  // 29 or 30

// A day of the calendar that the Hijri display mode selects: Gregorian, or Hijri with the
// adjustment.
struct YearMonthDay {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  bool operator==(const YearMonthDay&) const = default;
};
YearMonthDay DecodeCalendarDate(double date, bool hijriMode, int hijriAdjust);
double EncodeCalendarDate(int year, int month, int day, bool hijriMode, int hijriAdjust);

// Lengths in the calendar that the Hijri display mode selects.
int DaysInCalendarYear(int year, bool hijriMode, int hijriAdjust);
int DaysInCalendarMonth(int year, int month, bool hijriMode, int hijriAdjust);

// The date falls in Ramadan (Hijri month 9) with the given adjustment.
bool IsRamadanDate(double date, int hijriAdjust);

// The day of the week of a date: 0 Sunday .. 6 Saturday (30 December 1899 was a Saturday).
int WeekDayFromSunday(double date);

}  // namespace vek
