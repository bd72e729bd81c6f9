#include "report/year_graph.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "program/countdown.h"
#include "support/day_times.h"
#include "support/locations_fixture.h"

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

// The colours of column x from the bottom edge up, each run of one colour once.
std::vector<std::uint32_t> BandsUp(const YearGraphImage& image, int x) {
  std::vector<std::uint32_t> bands;
  for (int y = image.Height - 1; y >= 0; --y)
    if (bands.empty() || bands.back() != image.At(x, y))
      bands.push_back(image.At(x, y));
  return bands;
}

// The graph of 2026 at a shipped city, five minutes a pixel.
YearGraphImage Year2026(const char* city, const char* country, std::vector<KQItem>& rows) {
  TLocations list;
  EXPECT_TRUE(testing::LoadShippedLocations(list));
  list.CurrentIndex = list.Find(city, country, "");
  EXPECT_GE(list.CurrentIndex, 0) << city;
  rows = YearGraphRows(EncodeDate(2026, 6, 1), false, list, EngineContext{});
  return DrawYearGraph(rows, 288, 0);
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

// In the summer of the far north Maghrib falls after midnight: the red band runs from Asr to the
// top edge and from the bottom edge to Maghrib, and the blue one from Maghrib to Isha.
TEST(YearGraph, MaghribAfterMidnightSplitsTheRedBand) {
  const double june = EncodeDate(2026, 6, 21);
  const struct {
    const char* what;
    TDayTimesRec times;
    std::vector<std::uint32_t> bands;
    bool conflict;
  } cases[] = {
      {"Isha between Maghrib and Fajr",
       Day(Hm(1, 0), Hm(1, 20), Hm(2, 20), Hm(13, 20), Hm(18, 15), Hm(0, 20), Hm(1, 0)),
       {kGraphAsr, kGraphMaghrib, kGraphBackground, kGraphFajr, kGraphShuruq, kGraphZuhr,
        kGraphAsr},
       false},
      {"Isha after Fajr",
       Day(Hm(0, 30), Hm(0, 40), Hm(2, 20), Hm(13, 20), Hm(18, 15), Hm(0, 20), Hm(1, 0)),
       {kGraphAsr, kGraphMaghrib, kGraphConflict, kGraphFajr, kGraphShuruq, kGraphZuhr, kGraphAsr},
       true},
      {"Maghrib at midnight",
       Day(Hm(1, 0), Hm(1, 20), Hm(2, 20), Hm(13, 20), Hm(18, 15), Hm(0, 0), Hm(1, 0)),
       {kGraphMaghrib, kGraphBackground, kGraphFajr, kGraphShuruq, kGraphZuhr, kGraphAsr},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const YearGraphImage image = DrawYearGraph(OneDay(june, c.times), kHeight, 0);
    EXPECT_EQ(c.bands, BandsUp(image, 0));
    EXPECT_EQ(c.conflict, image.Conflict);
  }
  // The red band's two pieces end where they should.
  const YearGraphImage image = DrawYearGraph(OneDay(june, cases[0].times), kHeight, 0);
  EXPECT_EQ(kGraphAsr, image.At(0, 0));
  EXPECT_EQ(kGraphAsr, image.At(0, Y(Hm(18, 15))));
  EXPECT_EQ(kGraphZuhr, image.At(0, Y(Hm(18, 15)) + 1));
  EXPECT_EQ(kGraphAsr, image.At(0, Y(Hm(0, 10))));
  EXPECT_EQ(kGraphMaghrib, image.At(0, Y(Hm(0, 20))));
}

// Oulu, 65 degrees north: Maghrib after midnight from 8 June to 5 July leaves every band in its
// place; Cairo's columns keep the order of an ordinary day.
TEST(YearGraph, TheFarNorthsSummerAndCairosYear) {
  std::vector<KQItem> rows;
  const YearGraphImage oulu = Year2026("OULU", "FINLAND", rows);
  int afterMidnight = 0;
  for (int x = 0; x < oulu.Width; ++x) {
    const TDayTimesRec& t = rows[static_cast<std::size_t>(x)].Times;
    if (MinuteOfDay(t[Maghrib]) >= Hm(12, 0))
      continue;
    ++afterMidnight;
    const std::vector<std::uint32_t> expected =
        MinuteOfDay(t[Maghrib]) * 288 / 1440 < 2  // no row of red under Maghrib
            ? std::vector<std::uint32_t>{kGraphMaghrib, kGraphBackground, kGraphFajr,
                                         kGraphShuruq,  kGraphZuhr,       kGraphAsr}
            : std::vector<std::uint32_t>{kGraphAsr,    kGraphMaghrib, kGraphBackground, kGraphFajr,
                                         kGraphShuruq, kGraphZuhr,    kGraphAsr};
    EXPECT_EQ(expected, BandsUp(oulu, x)) << "day " << x + 1;
  }
  EXPECT_EQ(28, afterMidnight);
  EXPECT_FALSE(oulu.Conflict);

  const YearGraphImage cairo = Year2026("CAIRO", "EGYPT", rows);
  const std::vector<std::uint32_t> ordinary = {kGraphBackground, kGraphFajr, kGraphShuruq,
                                               kGraphZuhr,       kGraphAsr,  kGraphMaghrib,
                                               kGraphBackground};
  for (int x = 0; x < cairo.Width; ++x) {
    const KQItem& row = rows[static_cast<std::size_t>(x)];
    if (IsRamadanDate(row.Date, 0))
      continue;
    ASSERT_EQ(ordinary, BandsUp(cairo, x)) << "day " << x + 1;
    // Each band from its first time up to the next.
    for (int slot = Fajr; slot <= Isha; ++slot) {
      const int y = 288 - MinuteOfDay(row.Times[static_cast<std::size_t>(slot)]) * 288 / 1440;
      EXPECT_EQ(ordinary[static_cast<std::size_t>(slot)], cairo.At(x, y)) << x << " " << slot;
      EXPECT_EQ(ordinary[static_cast<std::size_t>(slot - 1)], cairo.At(x, y + 1)) << x;
    }
  }
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
