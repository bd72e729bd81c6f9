#include "report/year_graph.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "support/day_times.h"

namespace vek {
namespace {

using testing::Day;
using testing::Hm;

constexpr int kHeight = 144;  // ten minutes a pixel

int Y(int minutes) {
  return kHeight - minutes * kHeight / 1440;
}

std::vector<KQItem> OneDay(double date, const TDayTimesRec& times) {
  return {KQItem(1, date, times)};
}

TEST(YearGraph, TheBandsOfAnOrdinaryDayAndFuchsiaInRamadan) {
  double ramadan = EncodeDate(2026, 1, 1);
  while (!IsRamadanDate(ramadan, 0))
    ++ramadan;
  const TDayTimesRec times =
      Day(Hm(4, 0), Hm(4, 30), Hm(6, 0), Hm(12, 0), Hm(15, 30), Hm(18, 0), Hm(19, 30));
  std::vector<KQItem> rows = OneDay(ramadan - 1, times);
  rows.emplace_back(2, ramadan, times);
  const YearGraphImage image = DrawYearGraph(rows, kHeight, 0);
  ASSERT_EQ(2, image.Width);
  ASSERT_EQ(kHeight, image.Height);
  EXPECT_FALSE(image.Conflict);
  const int between = Y(Hm(4, 10));  // between Imsak and Fajr
  EXPECT_EQ(kGraphBackground, image.At(0, between));
  EXPECT_EQ(kGraphImsak, image.At(1, between));
  EXPECT_EQ(kGraphImsak, image.At(1, Y(Hm(4, 0))));  // from Imsak ...
  EXPECT_EQ(kGraphFajr, image.At(1, Y(Hm(4, 30))));  // ... up to Fajr, where yellow starts
  for (int x : {0, 1}) {
    EXPECT_EQ(kGraphFajr, image.At(x, Y(Hm(5, 0))));
    EXPECT_EQ(kGraphShuruq, image.At(x, Y(Hm(9, 0))));
    EXPECT_EQ(kGraphZuhr, image.At(x, Y(Hm(14, 0))));
    EXPECT_EQ(kGraphAsr, image.At(x, Y(Hm(17, 0))));
    EXPECT_EQ(kGraphMaghrib, image.At(x, Y(Hm(19, 0))));
    EXPECT_EQ(kGraphBackground, image.At(x, Y(Hm(22, 0))));
    EXPECT_EQ(kGraphBackground, image.At(x, Y(Hm(2, 0))));
  }
}

TEST(YearGraph, IshaAfterMidnightIsDrawnInTwoPiecesAndAConflictInLime) {
  // Isha at 00:50, Fajr at 02:10: blue from Maghrib to the top and from the bottom to Isha.
  const YearGraphImage late = DrawYearGraph(
      OneDay(EncodeDate(2026, 6, 21),
             Day(Hm(1, 40), Hm(2, 10), Hm(4, 0), Hm(13, 0), Hm(17, 30), Hm(22, 0), Hm(0, 50))),
      kHeight, 0);
  EXPECT_FALSE(late.Conflict);
  EXPECT_EQ(kGraphMaghrib, late.At(0, 0));
  EXPECT_EQ(kGraphMaghrib, late.At(0, Y(Hm(23, 0))));
  EXPECT_EQ(kGraphMaghrib, late.At(0, kHeight - 1));
  EXPECT_EQ(kGraphMaghrib, late.At(0, Y(Hm(0, 30))));
  EXPECT_EQ(kGraphBackground, late.At(0, Y(Hm(1, 30))));

  // Isha at 02:00 after a Fajr at 01:30: lime between them, and the conflict is told.
  const YearGraphImage conflict = DrawYearGraph(
      OneDay(EncodeDate(2026, 6, 21),
             Day(Hm(1, 0), Hm(1, 30), Hm(4, 0), Hm(13, 0), Hm(17, 30), Hm(22, 0), Hm(2, 0))),
      kHeight, 0);
  EXPECT_TRUE(conflict.Conflict);
  EXPECT_EQ(kGraphMaghrib, conflict.At(0, Y(Hm(1, 0))));
  EXPECT_EQ(kGraphConflict, conflict.At(0, Y(Hm(1, 40))));
  EXPECT_EQ(kGraphFajr, conflict.At(0, Y(Hm(2, 10))));
}

TEST(YearGraph, AHijriYearHasOneColumnPerDayFromTheFirstOfMuharram) {
  const auto times = [](double) { return Day(0, 0, 0, 0, 0, 0, 0); };
  const double today = EncodeDate(2026, 12, 10);
  const HijriDate h = DateToHijri(today, 0);
  const std::vector<KQItem> hijri = YearGraphRows(today, true, 0, times);
  ASSERT_EQ(DaysInCalendarYear(h.Year, true, 0), static_cast<int>(hijri.size()));
  EXPECT_TRUE(hijri.size() == 354 || hijri.size() == 355);
  EXPECT_EQ(HijriToDate(h.Year, 1, 1, 0), hijri.front().Date);
  EXPECT_EQ(static_cast<int>(hijri.size()), DrawYearGraph(hijri, 10, 0).Width);

  // 1446 and 1447 (arithmetic calendar): one year of each length.
  EXPECT_EQ(355u, YearGraphRows(HijriToDate(1446, 6, 1, 0), true, 0, times).size());
  EXPECT_EQ(354u, YearGraphRows(HijriToDate(1447, 6, 1, 0), true, 0, times).size());
  const std::vector<KQItem> gregorian = YearGraphRows(EncodeDate(2028, 5, 5), false, 0, times);
  EXPECT_EQ(366u, gregorian.size());
  EXPECT_EQ(EncodeDate(2028, 1, 1), gregorian.front().Date);
}

}  // namespace
}  // namespace vek
