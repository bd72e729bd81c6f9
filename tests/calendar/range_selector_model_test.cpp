#include "calendar/range_selector_model.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "support/ini_sections.h"

namespace vek {
namespace {

class RangeSelectorModelTest : public ::testing::Test {
 protected:
  RangeSelectorContext Context(bool hijri = false, Language lang = Language::English) {
    RangeSelectorContext c;
    c.Lang = lang;
    c.HijriMode = hijri;
    c.Today = EncodeDate(2026, 12, 10);
    c.Sections = &sections;
    return c;
  }

  void Remember(long day) { sections.ini.WriteInteger(kRangeSection, kRangeKey, day); }

  testing::IniSections sections;
};

TEST_F(RangeSelectorModelTest, WithoutARememberedDayItOpensOnTheCurrentMonth) {
  RangeSelectorModel model(Context());
  EXPECT_EQ(-1, model.SavedDay());
  EXPECT_EQ(ReportKind::Month, model.RangeKind());
  EXPECT_EQ(2026, model.RangeYear());
  EXPECT_EQ(12, model.RangeMonth());
  EXPECT_EQ("December", model.MonthCaption());
  EXPECT_EQ("2026", model.YearCaption());
  EXPECT_TRUE(model.MonthEnabled());

  RangeSelectorModel hijri(Context(true, Language::Arabic));
  const HijriDate today = DateToHijri(EncodeDate(2026, 12, 10), 0);
  EXPECT_EQ(today.Year, hijri.RangeYear());
  EXPECT_EQ(today.Month, hijri.RangeMonth());
  EXPECT_EQ(DefaultNameLists().AHMonths[today.Month - 1], hijri.MonthCaption());
}

TEST_F(RangeSelectorModelTest, TheChoiceIsRememberedAtEveryCloseAndReadInTheOtherCalendar) {
  {
    RangeSelectorModel model(Context());
    model.SetRangeKind(ReportKind::Year);
    EXPECT_FALSE(model.MonthEnabled());
    EXPECT_EQ("January", model.MonthCaption());  // a year shows its first month
    model.SetRangeYear(2027);
    model.SetRangeMonth(3);
    model.Close();  // OK or Cancel alike
  }
  EXPECT_EQ(1, sections.saves);
  EXPECT_EQ(EncodeDate(2027, 3, 1), sections.ini.ReadInteger(kRangeSection, kRangeKey, -1));

  RangeSelectorModel again(Context());
  EXPECT_EQ(ReportKind::Month, again.RangeKind());
  EXPECT_EQ(2027, again.RangeYear());
  EXPECT_EQ(3, again.RangeMonth());

  // 1 March 2027 in Hijri: the month that contains it.
  RangeSelectorModel hijri(Context(true));
  const HijriDate h = DateToHijri(EncodeDate(2027, 3, 1), 0);
  EXPECT_EQ(h.Year, hijri.RangeYear());
  EXPECT_EQ(h.Month, hijri.RangeMonth());
  hijri.Close();
  EXPECT_EQ(HijriToDate(h.Year, h.Month, 1, 0),
            sections.ini.ReadInteger(kRangeSection, kRangeKey, -1));
}

TEST_F(RangeSelectorModelTest, ARememberedDayOutsideTheYearsOpensOnTheNearestMonth) {
  const struct {
    bool hijri;
    long saved;
    int year, month;
  } cases[] = {
      {false, 0, 1900, 1},  // 30 December 1899
      {false, static_cast<long>(EncodeDate(2201, 6, 1)), 2200, 12},
      {false, -5000000, 1900, 1},
      {false, 90000000, 2200, 12},
      {true, static_cast<long>(HijriToDate(1317, 5, 1, 0)), 1318, 1},
      {true, static_cast<long>(HijriToDate(1628, 1, 1, 0)), 1627, 12},
      {true, static_cast<long>(HijriToDate(1627, 12, 1, 0)), 1627, 12},
  };
  for (const auto& c : cases) {
    Remember(c.saved);
    RangeSelectorModel model(Context(c.hijri));
    EXPECT_EQ(c.year, model.RangeYear()) << c.saved;
    EXPECT_EQ(c.month, model.RangeMonth()) << c.saved;
  }
}

TEST_F(RangeSelectorModelTest, TheUpDownsStayInTheirRanges) {
  RangeSelectorModel model(Context());
  model.SetRangeYear(1800);
  EXPECT_EQ(1900, model.RangeYear());
  model.SetRangeYear(2300);
  EXPECT_EQ(2200, model.RangeYear());
  model.SetRangeMonth(0);
  EXPECT_EQ(1, model.RangeMonth());
  model.SetRangeMonth(13);
  EXPECT_EQ(12, model.RangeMonth());
}

TEST(ReportRange, TheFirstDayAndTheAllowedYears) {
  EXPECT_EQ(EncodeDate(2026, 1, 1),
            RangeStartDate({ReportKind::Year, 2026, 7}, false, 0));  // a year starts in January
  EXPECT_EQ(EncodeDate(2026, 7, 1), RangeStartDate({ReportKind::Month, 2026, 7}, false, 0));
  EXPECT_EQ(HijriToDate(1448, 9, 1, 1), RangeStartDate({ReportKind::Month, 1448, 9}, true, 1));
  EXPECT_TRUE(RangeYearAllowed(1900, false));
  EXPECT_FALSE(RangeYearAllowed(2201, false));
  EXPECT_FALSE(RangeYearAllowed(1317, true));
  EXPECT_TRUE(RangeYearAllowed(1627, true));
}

}  // namespace
}  // namespace vek
