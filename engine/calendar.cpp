#include "engine/calendar.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace vek {

namespace {

// Days at the end of each month: common year and leap year.
constexpr std::array<std::array<int, 12>, 2> kCumulativeMonthDays = {{
    {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
}};

constexpr double kMeanMonth = 29.53021944723;

// Day 0 of the date values.
constexpr std::chrono::sys_days kEpoch =
    std::chrono::sys_days{std::chrono::year{1899} / std::chrono::December / 30};

// The dates the calendar works with: 1 January of the year 1 to 31 December 9999. A value outside
// is taken at the nearer end, and a value that is not a number as day 0.
constexpr double kFirstDate = -693593;
constexpr double kLastDate = 2958465;

long long WholeDays(double date) {
  if (std::isnan(date))
    return 0;
  return static_cast<long long>(std::trunc(std::clamp(date, kFirstDate, kLastDate)));
}

int ClampMonth(int month) {
  return std::clamp(month, 1, 12);
}

long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0)))
    --q;
  return q;
}

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInGregorianMonth(int year, int month) {
  const auto& row = kCumulativeMonthDays[IsLeapYear(year) ? 1 : 0];
  month = ClampMonth(month);
  return month == 1 ? row[0] : row[month - 1] - row[month - 2];
}

double EncodeDate(int year, int month, int day) {
  using namespace std::chrono;
  const sys_days d{std::chrono::year{year} / static_cast<unsigned>(month) /
                   static_cast<unsigned>(day)};
  return static_cast<double>((d - kEpoch).count());
}

CivilDate DecodeDate(double date) {
  using namespace std::chrono;
  const year_month_day ymd{kEpoch + days{WholeDays(date)}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int DayNumberOfYear(double date) {
  return DayNumberOfYear(DecodeDate(date));
}

int DayNumberOfYear(const CivilDate& c) {
  const int month = ClampMonth(c.Month);
  if (month == 1)
    return c.Day;
  return kCumulativeMonthDays[IsLeapYear(c.Year) ? 1 : 0][month - 2] + c.Day;
}

void DayOfYearToDayMonth(int dayOfYear, int& day, int& month) {
  const auto& row = kCumulativeMonthDays[0];
  const int n = std::clamp(dayOfYear, 1, 365);
  month = static_cast<int>(std::lower_bound(row.begin(), row.end(), n) - row.begin()) + 1;
  day = month == 1 ? n : n - row[month - 2];
}

HijriDate DateToHijri(double date, int hijriAdjust) {
  const long long n = WholeDays(date) + 233 + hijriAdjust;
  const double q = static_cast<double>(n) / kMeanMonth;
  // Floor, not truncation, so that days before 1 Muharram 1317 (negative n) count backwards
  // into earlier months and years instead of producing month numbers of 0 or less.
  const double whole = std::floor(q);
  const long long k = static_cast<long long>(whole);
  HijriDate h;
  h.Year = static_cast<std::uint16_t>(FloorDiv(k, 12) + 1317);
  h.Month = static_cast<std::uint16_t>(k - FloorDiv(k, 12) * 12 + 1);
  h.Day = static_cast<std::uint16_t>(std::trunc((q - whole) * kMeanMonth + 0.00001) + 1);
  return h;
}

double HijriToDate(int year, int month, int day, int hijriAdjust) {
  // The product is a signed 32-bit one that wraps modulo 2^32; the constants of the estimate
  // assume that wrap (one wrap for the years 717..1927), so it is reproduced exactly, with
  // unsigned arithmetic (which wraps for any year, where signed arithmetic would overflow).
  const std::uint32_t months =
      static_cast<std::uint32_t>(year) * 12u - 1317u + static_cast<std::uint32_t>(month);
  const auto product = static_cast<std::int32_t>(months * 295302u);
  const double estimate =
      std::nearbyint(static_cast<double>(product) / 10000.0 + day + (1430.0 - hijriAdjust) -
                     0.2);  // the default rounding mode: halves to even
  const HijriDate wanted{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month),
                         static_cast<std::uint16_t>(day)};
  const auto matches = [&](double d) { return DateToHijri(d, hijriAdjust) == wanted; };
  if (matches(estimate))
    return estimate;
  for (int k = 1; k <= 11; ++k) {
    if (matches(estimate + k))
      return estimate + k;
    if (matches(estimate - k))
      return estimate - k;
  }
  return estimate;
}

int HijriMonthLength(int year, int month, int hijriAdjust) {
  const double next = HijriToDate(year, month, 29, hijriAdjust) + 1;
  return DateToHijri(next, hijriAdjust).Month != month ? 29 : 30;
}

YearMonthDay DecodeCalendarDate(double date, bool hijriMode, int hijriAdjust) {
  if (hijriMode) {
    const HijriDate h = DateToHijri(date, hijriAdjust);
    return {h.Year, h.Month, h.Day};
  }
  const CivilDate c = DecodeDate(date);
  return {c.Year, c.Month, c.Day};
}

double EncodeCalendarDate(int year, int month, int day, bool hijriMode, int hijriAdjust) {
  return hijriMode ? HijriToDate(year, month, day, hijriAdjust) : EncodeDate(year, month, day);
}

int DaysInCalendarYear(int year, bool hijriMode, int hijriAdjust) {
  if (!hijriMode)
    return IsLeapYear(year) ? 366 : 365;
  int days = 0;
  for (int m = 1; m <= 12; ++m)
    days += HijriMonthLength(year, m, hijriAdjust);
  return days;
}

int DaysInCalendarMonth(int year, int month, bool hijriMode, int hijriAdjust) {
  return hijriMode ? HijriMonthLength(year, month, hijriAdjust) : DaysInGregorianMonth(year, month);
}

bool IsRamadanDate(double date, int hijriAdjust) {
  return DateToHijri(date, hijriAdjust).Month == kRamadan;
}

int WeekDayFromSunday(double date) {
  return static_cast<int>(((WholeDays(std::floor(date)) + 6) % 7 + 7) % 7);
}

}  // namespace vek
