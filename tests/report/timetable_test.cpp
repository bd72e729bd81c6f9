#include "report/timetable.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "support/day_times.h"

namespace vek {
namespace {

using testing::Day;
using testing::Hm;

// Times that move through the year: Fajr earliest in the middle of the year, Isha latest there.
TDayTimesRec Seasonal(double date) {
  const int day = DayNumberOfYear(date);
  const int swing = std::abs(183 - day) / 6;  // 0..30 minutes
  return Day(Hm(4, 0) + swing, Hm(4, 10) + swing, Hm(5, 40) + swing, Hm(12, 30), Hm(16, 0),
             Hm(19, 0) - swing, Hm(20, 30) - swing);
}

TimetableSource Source(bool hijri = false, Language lang = Language::English) {
  TimetableSource s;
  s.Location.City = "SPRINGFIELD";
  s.Location.State = "IL";
  s.Location.Country = "USA";
  s.Lang = lang;
  s.HijriMode = hijri;
  return s;
}

TEST(Timetable, RowCountsOfMonthsAndYears) {
  const struct {
    ReportKind kind;
    bool hijri;
    int year, month;
    int rows;
  } cases[] = {
      {ReportKind::Month, false, 2026, 2, 28}, {ReportKind::Month, false, 2024, 2, 29},
      {ReportKind::Month, false, 2026, 4, 30}, {ReportKind::Month, false, 2026, 12, 31},
      {ReportKind::Month, true, 1447, 9, 29},  {ReportKind::Month, true, 1448, 9, 30},
      {ReportKind::Year, false, 2026, 1, 365}, {ReportKind::Year, false, 2028, 1, 366},
      {ReportKind::Year, true, 1446, 1, 355},  {ReportKind::Year, true, 1447, 1, 354},
  };
  for (const auto& c : cases) {
    Timetable report(c.kind, Source(c.hijri));
    const double start = MonthStartDate(c.year, c.month, c.hijri, 0);
    report.ComputeReportRows(start, Seasonal);
    ASSERT_EQ(c.rows, static_cast<int>(report.Rows().size())) << c.year << "/" << c.month;
    EXPECT_EQ(c.year, report.ReportYear());
    EXPECT_EQ(c.month, report.ReportMonth());
    EXPECT_EQ(1, report.Rows().front().RowNo);
    EXPECT_EQ(start + c.rows - 1, report.Rows().back().Date);
  }
}

TEST(Timetable, OnlyAYearReportWithPeaksOnlyShowsThePeaksList) {
  Timetable year(ReportKind::Year, Source());
  year.ComputeReportRows(EncodeDate(2026, 1, 1), Seasonal);
  EXPECT_EQ(0, year.CurrentDesign());
  EXPECT_EQ(365, year.DisplayedCount());
  EXPECT_EQ(2, year.PageCount());
  // Fajr turns in the middle of the year; Zuhr never changes.
  EXPECT_EQ(1, year.Rows()[182].Peaks[Fajr]);
  for (const KQItem& row : year.Rows())
    EXPECT_EQ(0, row.Peaks[Zuhr]);
  const int peaks = static_cast<int>(year.PeakRows().size());
  ASSERT_TRUE(year.SelectDesignByName("Summary Only"));
  EXPECT_EQ(peaks, year.DisplayedCount());
  EXPECT_EQ(year.PeakRows().front().Date, year.Rows().front().Date);
  EXPECT_EQ(1, year.PageCount());

  // A month never empties, whatever its design says.
  Timetable month(ReportKind::Month, Source());
  month.ComputeReportRows(EncodeDate(2026, 2, 1), Seasonal);
  month.Design().POPeaksOnly = true;
  month.DesignChanged();
  EXPECT_EQ(28, month.DisplayedCount());
  EXPECT_TRUE(month.PeakRows().empty());
  EXPECT_EQ("28", month.CellText(2, 27));
  EXPECT_EQ("", month.CellText(2, 28));
}

TEST(Timetable, ThePeaksListFollowsTheImsakOption) {
  Timetable year(ReportKind::Year, Source());
  // Only Imsak changes: its turns count for the list only while the Imsak column is shown.
  year.ComputeReportRows(EncodeDate(2026, 1, 1), [](double date) {
    const int swing = std::abs(183 - DayNumberOfYear(date)) / 6;
    return Day(Hm(4, 0) + swing, Hm(4, 10), Hm(5, 40), Hm(12, 30), Hm(16, 0), Hm(19, 0),
               Hm(20, 30));
  });
  // Imsak is earliest on 2 July, which is no 1st or 15th of a month.
  ASSERT_EQ(1, year.Rows()[182].Peaks[Imsak]);
  const auto hasImsakTurn = [&] {
    for (const KQItem& row : year.PeakRows())
      if (row.Date == year.Rows()[182].Date)
        return true;
    return false;
  };
  EXPECT_FALSE(hasImsakTurn());
  year.Design().POImsak = true;
  year.DesignChanged();
  EXPECT_TRUE(hasImsakTurn());
  year.UseDefaults();
  EXPECT_FALSE(year.Design().POImsak);
  EXPECT_FALSE(hasImsakTurn());
}

TEST(Timetable, DesignsOfferedByLanguageAndKind) {
  Timetable english(ReportKind::Year, Source());
  EXPECT_EQ((std::vector<int>{0, 1, 2}), english.DesignChoices());
  EXPECT_FALSE(english.SelectDesign(3));
  EXPECT_FALSE(english.SelectDesignByName("مختصر فقط"));
  Timetable arabic(ReportKind::Month, Source(false, Language::Arabic));
  EXPECT_EQ(std::vector<int>{7}, arabic.DesignChoices());
  EXPECT_EQ(7, arabic.CurrentDesign());

  IniFile ini;
  ini.WriteInteger(kPrintOptionsSection, "CurrentEnglishDesign", 1);
  ini.WriteString("PrintOptionsYear-12 Pages", "POImsak", "True");
  english.LoadDesigns(ini);
  EXPECT_EQ(1, english.CurrentDesign());
  EXPECT_TRUE(english.Design().POImsak);
  english.SelectDesign(2);
  english.SaveDesigns(ini);
  EXPECT_EQ(2, ini.ReadInteger(kPrintOptionsSection, "CurrentEnglishDesign", -1));
}

}  // namespace
}  // namespace vek
