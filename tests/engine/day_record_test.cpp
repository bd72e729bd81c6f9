#include "engine/day_record.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(DayRecord, NewRowHasNoMarkersAndACopyKeepsThem) {
  const TDayTimesRec times{0.1, 0.2, 0.25, 0.5, 0.6, 0.75, 0.8};
  KQItem item(3, 45000.0, times);
  EXPECT_EQ(3, item.RowNo);
  EXPECT_EQ(45000.0, item.Date);
  EXPECT_EQ(times, item.Times);
  for (const std::uint8_t peak : item.Peaks)
    EXPECT_EQ(0, peak);

  item.Peaks[Asr] = 1;
  const KQItem copy = KQItem::CreateFrom(item);
  EXPECT_EQ(item.Peaks, copy.Peaks);
  EXPECT_EQ(item.Times, copy.Times);
  EXPECT_EQ(3, copy.RowNo);
}

}  // namespace
}  // namespace vek
