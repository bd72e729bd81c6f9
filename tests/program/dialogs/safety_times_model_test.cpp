// The safety-times dialog's decisions: the entries shown for offsets (rounded half to even,
// out-of-list offsets at the nearest entry) and the offsets after OK.
#include "program/dialogs/safety_times_model.h"

#include <gtest/gtest.h>

#include <limits>

namespace vek {
namespace {

TEST(SafetyTimesModel, EntriesOfTheLists) {
  const std::vector<std::string> fajr = SafetyEntries(kFajrSafety, Language::English);
  ASSERT_EQ(11u, fajr.size());
  EXPECT_EQ("Before five minutes", fajr.front());
  EXPECT_EQ("No delay", fajr[5]);
  EXPECT_EQ("After five minutes", fajr.back());
  const std::vector<std::string> maghrib = SafetyEntries(kMaghribSafety, Language::Arabic);
  ASSERT_EQ(6u, maghrib.size());
  EXPECT_EQ("بدون تأخير", maghrib.front());
}

TEST(SafetyTimesModel, EntryOfAnOffset) {
  const struct {
    double minutes;
    SafetyList list;
    int entry;
  } cases[] = {
      {0, kFajrSafety, 5},    {-5, kFajrSafety, 0},    {5, kIshaSafety, 10},
      {2.5, kAsrSafety, 7},   {3.5, kAsrSafety, 9},    {-0.5, kZuhrSafety, 5},
      {9, kShuruqSafety, 10}, {-30, kFajrSafety, 0},   {0, kMaghribSafety, 0},
      {4, kMaghribSafety, 4}, {-1, kMaghribSafety, 0}, {12, kMaghribSafety, 5},
      {1.4, kIshaSafety, 6},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.entry, SafetyEntryOf(c.minutes / 60, c.list)) << c.minutes << " " << c.list;
  EXPECT_EQ(5, SafetyEntryOf(std::numeric_limits<double>::quiet_NaN(), kFajrSafety));
}

TEST(SafetyTimesModel, OffsetsAfterOk) {
  SafetyOffsets offsets;
  offsets.Maghrib = -1.0L / 60;  // hand-edited: shown and kept as "No delay"
  offsets.Isha = 2.0L / 60;
  std::array<int, kSafetyLists> entries = SafetyEntriesOf(offsets);
  EXPECT_EQ((std::array<int, kSafetyLists>{5, 5, 5, 5, 0, 7}), entries);
  entries[kFajrSafety] = 0;     // "Before five minutes"
  entries[kZuhrSafety] = -1;    // no selection keeps the offset
  entries[kMaghribSafety] = 3;  // three minutes after
  offsets.Zuhr = 1.0L / 60;
  ApplySafetyEntries(entries, offsets);
  EXPECT_DOUBLE_EQ(-5.0 / 60, static_cast<double>(offsets.Fajr));
  EXPECT_DOUBLE_EQ(1.0 / 60, static_cast<double>(offsets.Zuhr));
  EXPECT_DOUBLE_EQ(3.0 / 60, static_cast<double>(offsets.Maghrib));
  EXPECT_DOUBLE_EQ(2.0 / 60, static_cast<double>(offsets.Isha));
  EXPECT_EQ(0, offsets.Shuruq);
  EXPECT_EQ(0, offsets.Asr);
  EXPECT_EQ(0.25L, SafetyOffsetOf(-1, kMaghribSafety, 0.25L));
}

}  // namespace
}  // namespace vek
