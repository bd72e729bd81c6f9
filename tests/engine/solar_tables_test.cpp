#include "engine/solar_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace {

using vek::solar::EquationOfTime;
using vek::solar::kTableDays;
using vek::solar::SunDeclination;

struct ReferenceRow {
  int day;
  double declination;
  double equation_of_time;
};

// Fixed almanac rows the generated tables must carry unchanged.
constexpr ReferenceRow kReferenceRows[] = {
    {1, -23.078, 3.28966667},         {2, -22.99902778, 3.763},
    {60, -7.94988889, 12.494},        {80, -0.14533333, 7.404},
    {81, 0.24963889, 7.1045},         {172, 23.43588889, 1.56033333},
    {173, 23.44030556, 1.77716667},   {265, 0.69297222, -7.05433333},
    {356, -23.43830556, -1.73966667}, {366, -23.09455556, 3.18666667},
};

TEST(SolarTablesTest, ReferenceRowsAreExact) {
  for (const ReferenceRow& row : kReferenceRows) {
    SCOPED_TRACE(row.day);
    EXPECT_EQ(SunDeclination[row.day - 1], row.declination);
    EXPECT_EQ(EquationOfTime[row.day - 1], row.equation_of_time);
  }
}

using Table = std::array<double, kTableDays>;

// Day of the year of a table element.
int DayOf(const Table& table, Table::const_iterator element) {
  return static_cast<int>(std::distance(table.begin(), element)) + 1;
}

TEST(SolarTablesTest, ExtremesAreExactAndInTheirSeason) {
  const auto [dec_min, dec_max] = std::minmax_element(SunDeclination.begin(), SunDeclination.end());
  EXPECT_EQ(*dec_min, -23.43913889);
  EXPECT_EQ(*dec_max, 23.44030556);
  EXPECT_NEAR(DayOf(SunDeclination, dec_min), 356, 3);  // December solstice
  EXPECT_NEAR(DayOf(SunDeclination, dec_max), 173, 3);  // June solstice

  const auto [eot_min, eot_max] = std::minmax_element(EquationOfTime.begin(), EquationOfTime.end());
  EXPECT_EQ(*eot_min, -16.40916667);
  EXPECT_EQ(*eot_max, 14.26733333);
  EXPECT_NEAR(DayOf(EquationOfTime, eot_min), 307, 5);  // early November
  EXPECT_NEAR(DayOf(EquationOfTime, eot_max), 42, 5);   // mid-February
}

TEST(SolarTablesTest, DayToDayChangesAreSmooth) {
  for (int day = 2; day <= kTableDays; ++day) {
    SCOPED_TRACE(day);
    EXPECT_LE(std::fabs(SunDeclination[day - 1] - SunDeclination[day - 2]), 0.5);
    EXPECT_LE(std::fabs(EquationOfTime[day - 1] - EquationOfTime[day - 2]), 0.6);
  }
}

}  // namespace
