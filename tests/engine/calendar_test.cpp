#include "engine/calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace vek {
namespace {

TEST(Calendar, EncodeAndDecodeDates) {
  EXPECT_EQ(0.0, EncodeDate(1899, 12, 30));
  EXPECT_EQ(36526.0, EncodeDate(2000, 1, 1));
  EXPECT_EQ((CivilDate{2024, 2, 29}), DecodeDate(EncodeDate(2024, 2, 29) + 0.75));
  EXPECT_EQ((CivilDate{1899, 12, 29}), DecodeDate(-1.25));  // negative values: the day is -1
}

// Values outside the calendar give defined results: a date beyond 1 January of the year 1 or
// 31 December 9999 is taken at that end, a date that is no number as day 0, a month outside
// 1..12 as the nearer of January and December.
TEST(Calendar, OutOfRangeValuesAreTakenAtTheNearerEnd) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const CivilDate first{1, 1, 1}, last{9999, 12, 31}, zero{1899, 12, 30};
  EXPECT_EQ(first, DecodeDate(-693593));
  EXPECT_EQ(last, DecodeDate(2958465.5));
  EXPECT_EQ(first, DecodeDate(-1e300));
  EXPECT_EQ(last, DecodeDate(kInf));
  EXPECT_EQ(zero, DecodeDate(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_EQ(364, DayNumberOfYear(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_EQ(31, DaysInGregorianMonth(2026, 13));
  EXPECT_EQ(31, DaysInGregorianMonth(2026, INT_MIN));
  EXPECT_EQ(335, DayNumberOfYear(CivilDate{2026, 99, 1}));
  const HijriDate far = DateToHijri(kInf, INT_MAX);
  EXPECT_TRUE(far.Month >= 1 && far.Month <= 12 && far.Day >= 1 && far.Day <= 30);
  for (const int year : {INT_MIN, -1, 0, INT_MAX}) {
    const double date = HijriToDate(year, 13, 31, INT_MIN);
    EXPECT_EQ(date, std::trunc(date)) << year;
  }
}

TEST(Calendar, DayNumberOfYearAndItsInverse) {
  EXPECT_EQ(366, DayNumberOfYear(EncodeDate(2024, 12, 31)));
  EXPECT_EQ(365, DayNumberOfYear(EncodeDate(2026, 12, 31)));
  EXPECT_EQ(60, DayNumberOfYear(EncodeDate(2026, 3, 1)));
  EXPECT_EQ(61, DayNumberOfYear(EncodeDate(2024, 3, 1)));
  EXPECT_EQ(100, DayNumberOfYear(EncodeDate(1900, 4, 10)));  // 1900 is no leap year

  struct Case {
    int dayOfYear, day, month;
  } cases[] = {{1, 1, 1},     {31, 31, 1}, {32, 1, 2},    {59, 28, 2},
               {60, 1, 3},    {88, 29, 3}, {298, 25, 10}, {365, 31, 12},
               {366, 31, 12}, {0, 1, 1},   {-7, 1, 1},    {1000, 31, 12}};
  for (const Case& c : cases) {
    int day = 0, month = 0;
    DayOfYearToDayMonth(c.dayOfYear, day, month);
    EXPECT_EQ(c.day, day) << c.dayOfYear;
    EXPECT_EQ(c.month, month) << c.dayOfYear;
  }
  // Every day of a common year maps back to itself.
  for (int n = 1; n <= 365; ++n) {
    int day = 0, month = 0;
    DayOfYearToDayMonth(n, day, month);
    EXPECT_EQ(n, DayNumberOfYear(EncodeDate(2026, month, day)));
  }
}

TEST(Calendar, KnownHijriDates) {
  struct Case {
    int hy, hm, hd, y, m, d;
  } cases[] = {
      {1420, 1, 1, 1999, 4, 17},
      {1420, 9, 1, 1999, 12, 9},
      {1317, 1, 1, 1899, 5, 11},
      {1317, 8, 27, 1899, 12, 30},
  };
  for (const Case& c : cases) {
    const double date = EncodeDate(c.y, c.m, c.d);
    EXPECT_EQ(date, HijriToDate(c.hy, c.hm, c.hd, 0)) << c.hy << "/" << c.hm << "/" << c.hd;
    const HijriDate h = DateToHijri(date, 0);
    EXPECT_EQ((HijriDate{static_cast<std::uint16_t>(c.hy), static_cast<std::uint16_t>(c.hm),
                         static_cast<std::uint16_t>(c.hd)}),
              h);
  }
}

TEST(Calendar, AdjustmentShiftsEveryHijriDate) {
  const double date = EncodeDate(2026, 12, 10);
  for (int adjust = -3; adjust <= 3; ++adjust) {
    EXPECT_EQ(DateToHijri(date + adjust, 0), DateToHijri(date, adjust)) << adjust;
  }
  EXPECT_EQ(HijriToDate(1448, 6, 1, 0) - 1, HijriToDate(1448, 6, 1, 1));
}

// Every Hijri day of 1300..1500 AH converts to a date and back, for every adjustment, and the
// dates are consecutive across month and year ends.
TEST(Calendar, HijriRoundTripsOver1300To1500) {
  for (int adjust = -3; adjust <= 3; ++adjust) {
    double expected = HijriToDate(1300, 1, 1, adjust);
    for (int y = 1300; y <= 1500; ++y) {
      int yearDays = 0;
      for (int m = 1; m <= 12; ++m) {
        const int length = HijriMonthLength(y, m, adjust);
        ASSERT_TRUE(length == 29 || length == 30) << y << "/" << m;
        yearDays += length;
        for (int d = 1; d <= length; ++d) {
          const double date = HijriToDate(y, m, d, adjust);
          ASSERT_EQ(expected, date) << y << "/" << m << "/" << d << " adjust " << adjust;
          const HijriDate back = DateToHijri(date, adjust);
          ASSERT_EQ(y, back.Year);
          ASSERT_EQ(m, back.Month);
          ASSERT_EQ(d, back.Day);
          expected += 1;
        }
      }
      ASSERT_TRUE(yearDays == 354 || yearDays == 355) << y;
      ASSERT_EQ(yearDays, DaysInCalendarYear(y, true, adjust));
    }
  }
}

TEST(Calendar, ThirtiethOfA29DayMonthGivesItsEstimate) {
  int y = 1445, m = 1;
  while (HijriMonthLength(y, m, 0) != 29)
    ++m;
  const double thirtieth = HijriToDate(y, m, 30, 0);
  const double last = HijriToDate(y, m, 29, 0);
  EXPECT_GE(thirtieth, last);
  EXPECT_LE(thirtieth, last + 2);
}

// A date in the calendar of the mode, the Hijri one with its adjustment, and back.
TEST(Calendar, DatesInTheCalendarOfTheMode) {
  const double date = EncodeDate(1999, 12, 9);
  struct Case {
    bool hijri;
    int adjust;
    YearMonthDay expected;
  } cases[] = {
      {false, 0, {1999, 12, 9}}, {false, 3, {1999, 12, 9}}, {true, 0, {1420, 9, 1}},
      {true, 1, {1420, 9, 2}},   {true, -1, {1420, 8, 29}},
  };
  for (const Case& c : cases) {
    const YearMonthDay d = DecodeCalendarDate(date + 0.5, c.hijri, c.adjust);
    EXPECT_EQ(c.expected, d) << c.hijri << " " << c.adjust;
    EXPECT_EQ(date, EncodeCalendarDate(d.year, d.month, d.day, c.hijri, c.adjust))
        << c.hijri << " " << c.adjust;
  }
}

TEST(Calendar, CalendarLengthsFollowTheMode) {
  EXPECT_EQ(366, DaysInCalendarYear(2024, false, 0));
  EXPECT_EQ(365, DaysInCalendarYear(2100, false, 0));
  EXPECT_EQ(29, DaysInCalendarMonth(2024, 2, false, 0));
  EXPECT_EQ(28, DaysInCalendarMonth(2026, 2, false, 0));
  EXPECT_EQ(HijriMonthLength(1447, 9, 2), DaysInCalendarMonth(1447, 9, true, 2));
  EXPECT_TRUE(IsRamadanDate(HijriToDate(1447, 9, 15, 0), 0));
  EXPECT_FALSE(IsRamadanDate(HijriToDate(1447, 10, 1, 0), 0));
}

}  // namespace
}  // namespace vek
