#include "foundation/dos_date_time.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vek {
namespace {

TEST(DosDateTime, PacksTheFatLayout) {
  // 2026-12-10 08:30:14: date (46 << 9 | 12 << 5 | 10), time (8 << 11 | 30 << 5 | 7).
  const std::uint32_t stamp =
      (((46u << 9) | (12u << 5) | 10u) << 16) | ((8u << 11) | (30u << 5) | 7u);
  EXPECT_EQ(stamp, PackDosDateTime({2026, 12, 10, 8, 30, 15}));  // odd seconds round down
  const auto parts = UnpackDosDateTime(stamp);
  ASSERT_TRUE(parts);
  EXPECT_EQ(2026, parts->year);
  EXPECT_EQ(14, parts->second);
}

TEST(DosDateTime, RefusesWhatIsNotADate) {
  EXPECT_FALSE(PackDosDateTime({1979, 12, 31, 23, 59, 58}));
  EXPECT_FALSE(PackDosDateTime({2025, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(UnpackDosDateTime(0));  // month 0, day 0
  const std::uint32_t april31 = ((46u << 9) | (4u << 5) | 31u) << 16;
  EXPECT_FALSE(UnpackDosDateTime(april31));
  EXPECT_FALSE(FileTimeOfDosDateTime(april31));
  const std::uint32_t hour24 = (((46u << 9) | (4u << 5) | 1u) << 16) | (24u << 11);
  EXPECT_FALSE(UnpackDosDateTime(hour24));
}

// A stamp turned into a file time and back is the same stamp, through daylight saving changes
// too (the hour that a spring change skips does not exist as a local time and is left out).
TEST(DosDateTime, FileTimeRoundTripInLocalTime) {
  ::setenv("TZ", "Europe/Berlin", 1);
  ::tzset();
  int checked = 0;
  for (int day = 1; day <= 28; ++day)
    for (int month : {3, 10})
      for (int hour = 0; hour < 24; ++hour) {
        const auto stamp = PackDosDateTime({2026, month, day, hour, 30, 42});
        ASSERT_TRUE(stamp);
        const auto t = FileTimeOfDosDateTime(*stamp);
        ASSERT_TRUE(t);
        if (month == 3 && day == 29 && hour == 2)
          continue;
        EXPECT_EQ(stamp, DosDateTimeOfFileTime(*t)) << month << "-" << day << " " << hour;
        ++checked;
      }
  EXPECT_GT(checked, 1000);
  ::unsetenv("TZ");
  ::tzset();
}

}  // namespace
}  // namespace vek
