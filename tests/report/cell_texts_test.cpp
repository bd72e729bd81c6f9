#include "report/cell_texts.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "support/day_times.h"

namespace vek {
namespace {

using testing::Day;
using testing::Hm;

double Time(int h, int m) {
  return Hm(h, m) / 1440.0;
}

TEST(CellTexts, TimesInEachStyle) {
  TPrintOptions h24, ampm, h12;
  h24.PO24H = true;
  ampm.POAMPM = true;
  const struct {
    int h, m;
    const char *in24, *inAmPm, *in12;
  } cases[] = {
      {0, 40, "00:40 ", "12:40 am", "00:40 "},  {5, 12, "05:12 ", "05:12 am", "05:12 "},
      {12, 10, "12:10 ", "12:10 pm", "12:10 "}, {13, 5, "13:05 ", "01:05 pm", "01:05 "},
      {23, 59, "23:59 ", "11:59 pm", "11:59 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.in24, FormatCellTime(h24, Time(c.h, c.m)));
    EXPECT_EQ(c.inAmPm, FormatCellTime(ampm, Time(c.h, c.m)));
    EXPECT_EQ(c.in12, FormatCellTime(h12, Time(c.h, c.m)));
  }
}

TEST(CellTexts, DatesDayNamesAndSavingLetters) {
  const double date = EncodeDate(1998, 8, 7);  // a Friday
  EXPECT_EQ("7/8/1998", GregorianDateText(CompleteDate, date));
  EXPECT_EQ("7/8", GregorianDateText(DayAndMonth, date));
  EXPECT_EQ("7", GregorianDateText(DayOnly, date));
  const HijriDate h = DateToHijri(date, 1);
  EXPECT_EQ(std::to_string(h.Day) + "/" + std::to_string(h.Month) + "/" + std::to_string(h.Year),
            HijriDateText(CompleteDate, date, 1));
  const NameLists names = DefaultNameLists();
  EXPECT_EQ(names.EDays[5], DayNameText(date, names, Language::English));
  EXPECT_EQ(names.ADays[5], DayNameText(date, names, Language::Arabic));

  // Sydney's period runs across the new year.
  TLocationRec sydney;
  sydney.DST = true;
  sydney.DstStart = 277;
  sydney.DstEnd = 94;
  TPrintOptions d;
  d.POSaving = true;
  const double january = EncodeDate(2026, 1, 10);
  const double june = EncodeDate(2026, 6, 10);
  EXPECT_EQ("N ", SavingLetter(d, sydney, Language::English, january));
  EXPECT_EQ("S ", SavingLetter(d, sydney, Language::English, june));
  d.PORight = true;
  EXPECT_EQ(" ص", SavingLetter(d, sydney, Language::Arabic, january));
  EXPECT_EQ(" ش", SavingLetter(d, sydney, Language::Arabic, june));
  sydney.DST = false;
  EXPECT_EQ("", SavingLetter(d, sydney, Language::English, january));
  sydney.DST = true;
  d.POSaving = false;
  EXPECT_EQ("", SavingLetter(d, sydney, Language::English, january));
}

class CellTextTest : public ::testing::Test {
 protected:
  CellTextTest()
      : row(1, EncodeDate(2026, 7, 2),
            Day(Hm(4, 2), Hm(4, 12), Hm(5, 50), Hm(12, 40), Hm(16, 20), Hm(19, 30), Hm(21, 5))) {
    // 2 July 2026 is day 183: inside every tracked period below.
    track.IshaFajrConflict.Record(180);
    track.IshaFajrConflict.Record(190);
    track.FajrSaturation.Record(183);
    track.IshaSaturation.Record(150);
    track.IshaSaturation.Record(200);
    loc.DST = true;
    loc.DstStart = 88;
    loc.DstEnd = 298;
    row.Peaks.fill(1);
    design.PO24H = true;
    design.POImsak = true;
    design.POPeaks = true;
  }

  CellTextSource Source(ReportKind mode) {
    return CellTextSource{mode, Language::English, 0, &loc, &track, &names};
  }

  // The texts of all ten display columns.
  std::vector<std::string> Texts(ReportKind mode) {
    std::vector<std::string> texts;
    for (int k = 0; k < kReportColumns; ++k)
      texts.push_back(CellText(design, Source(mode), k, row));
    return texts;
  }

  KQItem row;
  Trackers track;
  TLocationRec loc;
  NameLists names = DefaultNameLists();
  TPrintOptions design;
};

TEST_F(CellTextTest, MarkersOfYearsAndMonthsInBothDirections) {
  const std::vector<std::string> year = {"",        "",        "2",       "04:02 *", "04:12 *#^",
                                         "05:50 *", "12:40 *", "16:20 *", "19:30 *", "21:05 *#^"};
  EXPECT_EQ(year, Texts(ReportKind::Year));
  // A month has no turning points; the high-latitude marks stay.
  const std::vector<std::string> month = {"",       "",       "2",      "04:02 ", "04:12 #^",
                                          "05:50 ", "12:40 ", "16:20 ", "19:30 ", "21:05 #^"};
  EXPECT_EQ(month, Texts(ReportKind::Month));

  design.PORight = true;
  design.POSaving = true;
  design.PODayName = true;
  design.POHijri = true;
  const std::vector<std::string> rightToLeft = Texts(ReportKind::Year);
  EXPECT_EQ("^#*21:05 ", rightToLeft[0]);  // Isha first, its marks in front
  EXPECT_EQ("^#*04:12 ", rightToLeft[5]);
  EXPECT_EQ("2", rightToLeft[7]);  // the letter goes with the Hijri date, not this one
  EXPECT_EQ(HijriDateText(DayOnly, row.Date, 0) + " N", rightToLeft[8]);
  EXPECT_EQ("Thursday", rightToLeft[9]);
}

TEST_F(CellTextTest, TheSavingLetterGoesWithTheFirstDateShown) {
  design.POSaving = true;
  EXPECT_EQ("N 2", CellText(design, Source(ReportKind::Month), kGregorianColumn, row));
  design.POHijri = true;
  EXPECT_EQ("N " + HijriDateText(DayOnly, row.Date, 0),
            CellText(design, Source(ReportKind::Month), kHijriColumn, row));
  EXPECT_EQ("2", CellText(design, Source(ReportKind::Month), kGregorianColumn, row));
}

TEST(ColumnLayout, TitlesOrderAndWidths) {
  TPrintOptions d;  // the six prayer columns and the Gregorian date
  d.POGregorian = false;
  EXPECT_EQ((std::array<int, kReportColumns>{0, 0, 0, 0, 100, 100, 100, 100, 100, 100}),
            ColumnWidths(d));
  EXPECT_EQ("", ColumnTitle(d, Language::English, 2));
  EXPECT_EQ("Date", SectionTitle(d, Language::English, 2));
  EXPECT_EQ("Fajr", ColumnTitle(d, Language::English, 4));

  d.POGregorian = true;
  d.POImsak = true;
  d.PORight = true;
  EXPECT_EQ((std::array<int, kReportColumns>{75, 75, 75, 75, 75, 75, 75, 75, 0, 0}),
            ColumnWidths(d));
  EXPECT_EQ("عشاء", ColumnTitle(d, Language::Arabic, 0));
  EXPECT_EQ("Date", ColumnTitle(d, Language::English, 7));
  EXPECT_EQ("", ColumnTitle(d, Language::English, 9));
  EXPECT_EQ("Day", SectionTitle(d, Language::English, 9));

  d.PODayName = true;
  d.POHijri = true;
  EXPECT_EQ(60, ColumnWidths(d)[0]);

  // A day name wider than its share takes what it needs (at most twice its share) from the
  // other columns, wherever the design puts it; the table keeps its width.
  const struct {
    bool right;
    int needs;
    int day;
    int other;
  } wider[] = {{false, 50, 60, 60}, {false, 73, 73, 58}, {true, 73, 73, 58}, {false, 500, 120, 53}};
  for (const auto& c : wider) {
    SCOPED_TRACE(c.needs);
    d.PORight = c.right;
    const std::array<int, kReportColumns> widths = ColumnWidths(d, c.needs);
    const std::size_t day = c.right ? 9 : 0;
    EXPECT_EQ(c.day, widths[day]);
    int total = 0;
    for (std::size_t k = 0; k < widths.size(); ++k) {
      if (k != day) {
        EXPECT_EQ(c.other, widths[k]) << k;
      }
      total += widths[k];
    }
    EXPECT_LE(total, kTimetableWidth);
  }
}

}  // namespace
}  // namespace vek
