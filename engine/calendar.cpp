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

constexpr long double kMeanMonth = 29.53021944723L;

// Day 0 of the date values.
constexpr std::chrono::sys_days kEpoch =
    std::chrono::sys_days{std::chrono::year{1899} / std::chrono::December / 30};

long long WholeDays(double date) {
  return static_cast<long long>(std::trunc(date));
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
  const CivilDate c = DecodeDate(date);
  if (c.Month == 1)
    return c.Day;
  return kCumulativeMonthDays[IsLeapYear(c.Year) ? 1 : 0][c.Month - 2] + c.Day;
}

void DayOfYearToDayMonth(int dayOfYear, int& day, int& month) {
  const auto& row = kCumulativeMonthDays[0];
  const int n = std::clamp(dayOfYear, 1, 365);
  month = static_cast<int>(std::lower_bound(row.begin(), row.end(), n) - row.begin()) + 1;
  day = month == 1 ? n : n - row[month - 2];
}

HijriDate DateToHijri(double date, int hijriAdjust) {
  const long long n = WholeDays(date) + 233 + hijriAdjust;
  const long double q = static_cast<long double>(n) / kMeanMonth;
  // Floor, not truncation, so that days before 1 Muharram 1317 (negative n) count backwards
  // into earlier months and years instead of producing month numbers of 0 or less.
  const long double whole = std::floor(q);
  const long long k = static_cast<long long>(whole);
  HijriDate h;
  h.Year = static_cast<std::uint16_t>(FloorDiv(k, 12) + 1317);
  h.Month = static_cast<std::uint16_t>(k - FloorDiv(k, 12) * 12 + 1);
  h.Day = static_cast<std::uint16_t>(std::trunc((q - whole) * kMeanMonth + 0.00001L) + 1);
  return h;
}

double HijriToDate(int year, int month, int day, int hijriAdjust) {
  // The product is a signed 32-bit one that wraps modulo 2^32; the constants of the estimate
  // assume that wrap (one wrap for the years 717..1927), so it is reproduced exactly, with
  // unsigned arithmetic.
  const auto months = static_cast<std::uint32_t>(year * 12 - 1317 + month);
  const auto product = static_cast<std::int32_t>(months * 295302u);
  const long double estimate =
      std::nearbyint(static_cast<long double>(product) / 10000.0L + day + (1430 - hijriAdjust) -
                     0.2L);  // the default rounding mode: halves to even
  const HijriDate wanted{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month),
                         static_cast<std::uint16_t>(day)};
  const auto matches = [&](long double d) {
    return DateToHijri(static_cast<double>(d), hijriAdjust) == wanted;
  };
  if (matches(estimate))
    return static_cast<double>(estimate);
  for (int k = 1; k <= 11; ++k) {
    if (matches(estimate + k))
      return static_cast<double>(estimate + k);
    if (matches(estimate - k))
      return static_cast<double>(estimate - k);
  }
  return static_cast<double>(estimate);
}

int HijriMonthLength(int year, int month, int hijriAdjust) {
  const double next = HijriToDate(year, month, 29, hijriAdjust) + 1;
  return DateToHijri(next, hijriAdjust).Month != month ? 29 : 30;
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
