// The Hijri adjustment dialog's decisions: seven dates made with their own adjustment, the entry
// of an adjustment, and the adjustment of an entry.
#include "program/dialogs/hijri_adjust_model.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "program/display_texts.h"

namespace vek {
namespace {

TEST(HijriAdjustModel, EntryIIsTodayWithAdjustmentIMinusThree) {
  const double today = EncodeDate(2026, 12, 10);
  const NameLists names = DefaultNameLists();
  const std::vector<std::string> entries = HijriAdjustEntries(today, names, Language::English);
  ASSERT_EQ(7u, entries.size());
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(HijriDateCaption(today, names, Language::English, i - 3), entries[i]);
  EXPECT_NE(entries[0], entries[6]);
}

TEST(HijriAdjustModel, EntriesAndAdjustments) {
  const struct { int adjust, entry; } cases[] = {{-3, 0}, {0, 3}, {3, 6}, {-5, 0}, {9, 6}};
  for (const auto& c : cases)
    EXPECT_EQ(c.entry, HijriAdjustEntryOf(c.adjust)) << c.adjust;
  EXPECT_EQ(-3, HijriAdjustOfEntry(0, 2));
  EXPECT_EQ(3, HijriAdjustOfEntry(6, 2));
  EXPECT_EQ(2, HijriAdjustOfEntry(-1, 2));  // no entry chosen
  EXPECT_EQ(2, HijriAdjustOfEntry(7, 2));
}

}  // namespace
}  // namespace vek
