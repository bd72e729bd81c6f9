#include "engine/daylight_saving.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "engine/prayer_times.h"

namespace vek {
namespace {

TLocationRec Saving(bool dst, int start, int end) {
  TLocationRec loc;
  loc.DST = dst;
  loc.DstStart = static_cast<std::uint16_t>(start);
  loc.DstEnd = static_cast<std::uint16_t>(end);
  return loc;
}

TEST(DaylightSaving, WithinTheYearAcrossTheNewYearAndAllYear) {
  const struct {
    bool dst;
    int start, end, day;
    bool expected;
  } cases[] = {
      {true, 88, 298, 87, false},  {true, 88, 298, 88, true},   {true, 88, 298, 298, true},
      {true, 88, 298, 299, false}, {true, 277, 94, 276, false}, {true, 277, 94, 277, true},
      {true, 277, 94, 366, true},  {true, 277, 94, 1, true},    {true, 277, 94, 94, true},
      {true, 277, 94, 95, false},  {true, 100, 100, 1, true},   {true, 100, 100, 366, true},
      {false, 1, 366, 100, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, InDaylightSaving(Saving(c.dst, c.start, c.end), c.day))
        << c.start << ".." << c.end << " day " << c.day;
}

// The engine adds the hour on exactly the days of the rule, across the new year too.
TEST(DaylightSaving, TheEngineAddsTheHourByTheRule) {
  TLocationRec loc = Saving(true, 277, 94);
  loc.LatDeg = 33;
  loc.LongDeg = 151;
  loc.St_Longitude = 150;
  TLocationRec without = loc;
  without.DST = false;
  const double newYearsEve = EncodeDate(2026, 1, 1) - 1;
  for (int day : {1, 94, 95, 276, 277, 365}) {
    const double shifted = ComputeDateTimes(newYearsEve + day, loc, {})[Zuhr];
    const double normal = ComputeDateTimes(newYearsEve + day, without, {})[Zuhr];
    EXPECT_NEAR(InDaylightSaving(loc, day) ? 1.0 / 24 : 0.0, shifted - normal, 1e-9) << day;
  }
}

}  // namespace
}  // namespace vek
