#include "calendar/month_grid.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"

namespace vek {
namespace {

TEST(MonthGrid, DayOneOnASaturdayOrAFridayAndTheArabicFaceMirrored) {
  // 1 August 2026 is a Saturday, 1 May 2026 a Friday.
  MonthGrid grid(EncodeDate(2026, 8, 20));
  EXPECT_EQ(1, grid.Offset());
  EXPECT_EQ("1", grid.CellText(1, 0));
  EXPECT_EQ("Saturday", grid.CellText(0, 0));
  EXPECT_EQ("Friday", grid.CellText(0, 6));
  EXPECT_EQ("31", grid.CellText(5, 2));  // 31 = 1 + 4 weeks + 2
  EXPECT_EQ("", grid.CellText(5, 3));
  // The shown day: 20 August, row 3, column 5.
  EXPECT_EQ(3, grid.CurrentRow());
  EXPECT_EQ(5, grid.CurrentColumn());

  grid.SetArabicFace(true);
  EXPECT_EQ("1", grid.CellText(1, 6));  // Saturday's column is the rightmost
  EXPECT_EQ("السبت", grid.CellText(0, 6));
  EXPECT_EQ("الجمعة", grid.CellText(0, 0));
  EXPECT_EQ(1, grid.CurrentColumn());

  grid.SetArabicFace(false);
  grid.SetCalendarDate(EncodeDate(2026, 5, 1));
  EXPECT_EQ(-5, grid.Offset());
  EXPECT_EQ("1", grid.CellText(1, 6));
  EXPECT_EQ("", grid.CellText(1, 5));
  EXPECT_EQ("30", grid.CellText(6, 0));  // 30 May 2026: a Saturday in the sixth row
  EXPECT_EQ("31", grid.CellText(6, 1));
  EXPECT_EQ(1, grid.CurrentRow());
  EXPECT_EQ(6, grid.CurrentColumn());
}

TEST(MonthGrid, HijriMonthsUseTheGridsOwnAdjustment) {
  const double date = EncodeDate(2026, 3, 1);
  MonthGrid grid(date);
  grid.SetHijri(true);
  const HijriDate h = DateToHijri(date, 0);
  EXPECT_EQ(h.Year, grid.GetDateElement(1));
  EXPECT_EQ(h.Month, grid.GetDateElement(2));
  EXPECT_EQ(h.Day, grid.GetDateElement(3));
  EXPECT_EQ(HijriMonthLength(h.Year, h.Month, 0), grid.DaysThisMonth());
  grid.SetAdvanceHijri(2);
  EXPECT_EQ(DateToHijri(date, 2).Day, grid.GetDateElement(3));
  EXPECT_EQ(-1, grid.GetDateElement(4));
}

TEST(MonthGrid, SettingElementsIgnoresDaysAndMonthsThatDoNotExist) {
  // Ramadan 1447 has 29 days in the arithmetic calendar.
  ASSERT_EQ(29, HijriMonthLength(1447, 9, 0));
  MonthGrid grid(HijriToDate(1447, 9, 5, 0));
  grid.SetHijri(true);
  int changes = 0;
  grid.OnChange = [&] { ++changes; };
  const double before = grid.CalendarDate();
  grid.SetDateElement(3, 30);
  grid.SetDateElement(3, 0);
  grid.SetDateElement(2, 13);
  grid.SetDateElement(3, 5);  // unchanged
  EXPECT_EQ(before, grid.CalendarDate());
  EXPECT_EQ(0, changes);
  EXPECT_TRUE(grid.UseCurrentDate());

  grid.SetDateElement(3, 29);
  EXPECT_EQ(HijriToDate(1447, 9, 29, 0), grid.CalendarDate());
  EXPECT_EQ(1, changes);
  EXPECT_FALSE(grid.UseCurrentDate());
}

TEST(MonthGrid, MonthStepsKeepTheDayOrTakeTheLastDay) {
  const struct {
    int year, month, day, step;
    int toYear, toMonth, toDay;
  } cases[] = {
      {2026, 1, 31, 1, 2026, 2, 28},   {2024, 1, 31, 1, 2024, 2, 29},
      {2026, 3, 31, -1, 2026, 2, 28},  {2026, 12, 15, 1, 2027, 1, 15},
      {2026, 1, 15, -1, 2025, 12, 15},
  };
  for (const auto& c : cases) {
    MonthGrid grid(EncodeDate(c.year, c.month, c.day));
    grid.StepMonth(c.step);
    EXPECT_EQ(EncodeDate(c.toYear, c.toMonth, c.toDay), grid.CalendarDate())
        << c.year << "-" << c.month << "-" << c.day << " by " << c.step;
  }
}

TEST(MonthGrid, YearStepsKeepTheMonth) {
  // 30 Ramadan 1448 back to 1447, whose Ramadan has 29 days: 29 Ramadan, not 1 Shawwal.
  ASSERT_EQ(30, HijriMonthLength(1448, 9, 0));
  ASSERT_EQ(29, HijriMonthLength(1447, 9, 0));
  MonthGrid hijri(HijriToDate(1448, 9, 30, 0));
  hijri.SetHijri(true);
  hijri.StepYear(-1);
  EXPECT_EQ(HijriToDate(1447, 9, 29, 0), hijri.CalendarDate());
  hijri.StepYear(1);
  EXPECT_EQ(HijriToDate(1448, 9, 29, 0), hijri.CalendarDate());

  MonthGrid leap(EncodeDate(2024, 2, 29));
  leap.StepYear(1);
  EXPECT_EQ(EncodeDate(2025, 2, 28), leap.CalendarDate());
}

TEST(MonthGrid, ClicksChooseDaysOnlyWhereThereAreDays) {
  MonthGrid grid(EncodeDate(2026, 8, 20));
  grid.ClickCell(0, 3);  // the header
  grid.ClickCell(5, 3);  // after the 31st
  EXPECT_EQ(EncodeDate(2026, 8, 20), grid.CalendarDate());
  grid.ClickCell(2, 2);
  EXPECT_EQ(EncodeDate(2026, 8, 10), grid.CalendarDate());
  grid.SetReadOnly(true);
  EXPECT_FALSE(grid.CanSelectCell(2, 3));
  grid.ClickCell(2, 3);
  EXPECT_EQ(EncodeDate(2026, 8, 10), grid.CalendarDate());
}

}  // namespace
}  // namespace vek
