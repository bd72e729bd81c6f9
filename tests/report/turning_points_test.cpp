#include "report/turning_points.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/calendar.h"
#include "locations/location_list.h"
#include "program/countdown.h"
#include "program/current_location.h"
#include "support/locations_fixture.h"

namespace vek {
namespace {

// Rows from the given date on, one per value; only Fajr is looked at.
std::vector<KQItem> RowsOf(const std::vector<int>& values, double first = 46022) {
  std::vector<KQItem> rows;
  for (std::size_t i = 0; i < values.size(); ++i)
    rows.emplace_back(static_cast<int>(i) + 1, first + static_cast<double>(i), TDayTimesRec{});
  return rows;
}

std::set<int> Marked(const std::vector<KQItem>& rows, int slot) {
  std::set<int> marked;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].Peaks[static_cast<std::size_t>(slot)] != 0)
      marked.insert(static_cast<int>(i));
  return marked;
}

// A year whose minimum lies flat from 29 December to 2 January: t counts from 29 December.
std::vector<int> SeamYear() {
  std::vector<int> v(365);
  for (int i = 0; i < 365; ++i) {
    const int t = (i + 3) % 365;
    v[static_cast<std::size_t>(i)] = t <= 4 ? 0 : t <= 182 ? t - 4 : 365 - t;
  }
  return v;
}

TEST(TurningPoints, MarksTheMiddleOfEachTurn) {
  const struct {
    const char* name;
    std::vector<int> values;
    std::set<int> expected;
  } cases[] = {
      {"flat stretch of three", {9, 7, 5, 5, 5, 7, 9, 11, 13, 11}, {3, 8}},
      {"flat stretch of two: the later middle", {9, 7, 5, 5, 7, 9, 11, 9}, {3, 6}},
      {"flat maximum across the seam", {12, 12, 9, 6, 9, 12}, {0, 3}},
      {"constant column", {5, 5, 5, 5, 5}, {}},
      {"one row", {5}, {}},
      {"29 December to 2 January: 31 December", SeamYear(), {364, 180}},
      // A time that crosses midnight keeps its trend: 23:57 to 00:00 is three minutes later.
      {"rising over midnight", {1431, 1434, 1437, 0, 3, 6, 3, 0, 1437, 1434}, {5, 0}},
      {"falling over midnight to a flat bottom", {3, 0, 1437, 1434, 1434, 1437, 0, 3}, {4, 0}},
      // Without the saving hour 00:20 is -40, ten minutes after 23:10 of the day before.
      {"below zero", {1380, 1390, -40, -30, -40, 1390}, {3, 0}},
  };
  for (const auto& c : cases) {
    std::vector<KQItem> rows = RowsOf(c.values);
    MarkTurningPoints(rows, Fajr, c.values);
    EXPECT_EQ(c.expected, Marked(rows, Fajr)) << c.name;
    EXPECT_TRUE(Marked(rows, Isha).empty()) << c.name;
  }
}

// The marks of a year at a location of the shipped file, as a year report computes them.
std::vector<KQItem> YearRows(const TLocationRec& loc, int year) {
  TLocations list;
  list.Append(std::make_unique<TLocation>(loc));
  list.CurrentIndex = 0;
  const double first = EncodeDate(year, 1, 1);
  std::vector<KQItem> rows;
  for (int i = 0; i < DaysInCalendarYear(year, false, 0); ++i)
    rows.emplace_back(i + 1, first + i, ComputeDayTimesForCurrent(list, first + i, {}));
  MarkAllTurningPoints(rows, loc, 0);
  return rows;
}

// The saving hour is taken out of the compared minutes, in either hemisphere: a place marks the
// same days with and without daylight saving, and no switch day becomes a turn.
TEST(TurningPoints, DaylightSavingInEitherHemisphereIsNoTurn) {
  TLocations shipped;
  ASSERT_TRUE(testing::LoadShippedLocations(shipped));
  for (const auto& [city, country, state] :
       {std::tuple{"SYDNEY", "AUSTRALIA", ""}, std::tuple{"NEW YORK", "USA", "NY"},
        std::tuple{"SANTIAGO", "CHILE", ""}}) {
    const int index = shipped.Find(city, country, state);
    ASSERT_GE(index, 0) << city;
    const TLocationRec loc = shipped.GetItem(index).Rec;
    ASSERT_TRUE(loc.DST) << city;
    TLocationRec without = loc;
    without.DST = false;
    const std::vector<KQItem> saving = YearRows(loc, 2026);
    const std::vector<KQItem> plain = YearRows(without, 2026);
    for (int slot = Imsak; slot <= Isha; ++slot) {
      EXPECT_EQ(Marked(plain, slot), Marked(saving, slot)) << city << " slot " << slot;
      for (int day : Marked(saving, slot)) {
        for (int edge : {int{loc.DstStart}, int{loc.DstEnd}})
          EXPECT_GT(std::abs(day + 1 - edge), 1) << city << " slot " << slot << " day " << day;
      }
    }
  }
}

// In the far north Maghrib crosses midnight in June: 11:57 PM to 12:00 AM is no turn.
TEST(TurningPoints, ATimeCrossingMidnightIsNoTurn) {
  TLocations shipped;
  ASSERT_TRUE(testing::LoadShippedLocations(shipped));
  const int index = shipped.Find("OULU", "FINLAND", "");
  ASSERT_GE(index, 0);
  const std::vector<KQItem> rows = YearRows(shipped.GetItem(index).Rec, 2026);
  int crossings = 0;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    const int today = MinuteOfDay(rows[i].Times[Maghrib]);
    const int tomorrow = MinuteOfDay(rows[i + 1].Times[Maghrib]);
    if (std::abs(today - tomorrow) > 12 * 60) {
      ++crossings;
      EXPECT_EQ(0, rows[i].Peaks[Maghrib]) << "day " << i;
      EXPECT_EQ(0, rows[i + 1].Peaks[Maghrib]) << "day " << i + 1;
    }
  }
  EXPECT_EQ(2, crossings);  // after midnight in June, back before it in July
  EXPECT_EQ(2u, Marked(rows, Maghrib).size());
}

// The Saudi method lengthens Isha's interval in Ramadan; its first and last days are no turn.
TEST(TurningPoints, TheRamadanIshaOfTheSaudiMethodIsNoTurn) {
  TLocations shipped;
  ASSERT_TRUE(testing::LoadShippedLocations(shipped));
  const int index = shipped.Find("MAKKAH", "SAUDI ARABIA", "");
  ASSERT_GE(index, 0);
  const TLocationRec loc = shipped.GetItem(index).Rec;
  ASSERT_EQ(TFajrIshaMethod::Saudi, loc.Method);
  const std::vector<KQItem> rows = YearRows(loc, 2026);
  std::set<int> edges;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (IsRamadanDate(rows[i].Date, 0) != IsRamadanDate(rows[i - 1].Date, 0)) {
      for (int d = -2; d <= 1; ++d)
        edges.insert(static_cast<int>(i) + d);
    }
  }
  ASSERT_EQ(8u, edges.size());  // Ramadan begins and ends once in 2026
  for (int day : Marked(rows, Isha))
    EXPECT_EQ(0u, edges.count(day)) << "day " << day;
}

TEST(PeaksList, FirstAndLastRowsSavingDaysTurnsAndMonthMarkers) {
  // 2026, daylight saving from day 88 to day 298.
  TLocationRec loc;
  loc.DST = true;
  loc.DstStart = 88;
  loc.DstEnd = 298;
  std::vector<KQItem> rows = RowsOf(std::vector<int>(365, 0), EncodeDate(2026, 1, 1));
  rows[40].Peaks[Imsak] = 1;    // 10 February: Imsak only
  rows[170].Peaks[Asr] = 1;     // 20 June
  rows[197].Peaks[Shuruq] = 1;  // 17 July: two days after the 15th

  const auto dates = [](const std::vector<KQItem>& list) {
    std::vector<int> days;
    for (const KQItem& r : list)
      days.push_back(DayNumberOfYear(r.Date));
    return days;
  };
  // The days before and on each switch (87, 88, 298, 299); 1 April (91) is within five days of
  // 29 March (88); 15 July (196) is dropped again for 17 July.
  std::vector<int> expected = {1,   15,  32,  46,  60,  74,  87,  88,  105, 121,
                               135, 152, 166, 171, 182, 198, 213, 227, 244, 258,
                               274, 288, 298, 299, 305, 319, 335, 349, 365};
  const std::vector<KQItem> peaks = BuildPeaksList(rows, loc, false, false, 0);
  EXPECT_EQ(expected, dates(peaks));
  EXPECT_EQ(1, peaks[13].Peaks[Asr]);  // copies keep their marks

  // With Imsak, 10 February counts, and 15 February is then too close to it.
  expected[3] = 41;
  EXPECT_EQ(expected, dates(BuildPeaksList(rows, loc, true, false, 0)));
}

}  // namespace
}  // namespace vek
