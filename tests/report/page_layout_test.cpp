#include "report/page_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "engine/calendar.h"
#include "program/report_range.h"
#include "support/day_times.h"
#include "support/recording_canvas.h"

namespace vek {
namespace {

using testing::Day;
using testing::Hm;
using testing::RecordingCanvas;

constexpr PageSize kA4{767, 1094};  // A4 at 1200 dpi, less the printer's margins, at 96 ppi

// Times that move through the year, so that every column turns.
TDayTimesRec Seasonal(double date) {
  const int swing = std::abs(183 - DayNumberOfYear(date)) / 6;
  return Day(Hm(4, 0) + swing, Hm(4, 10) + swing, Hm(5, 40) + swing, Hm(12, 30) + swing / 10,
             Hm(16, 0) - swing, Hm(19, 0) - swing, Hm(20, 30) - swing);
}

TimetableSource Source(Language lang = Language::English, bool hijri = false) {
  TimetableSource s;
  s.Location.City = "DAMASCUS";
  s.Location.Country = "SYRIA";
  s.Location.LatDeg = 33;
  s.Location.LatMin = 30;
  s.Location.LongDeg = 36;
  s.Location.LongMin = 18;
  s.Location.North = true;
  s.Lang = lang;
  s.HijriMode = hijri;
  return s;
}

Timetable Year(Language lang = Language::English, bool hijri = false) {
  Timetable report(ReportKind::Year, Source(lang, hijri));
  report.ComputeReportRows(MonthStartDate(hijri ? 1447 : 2026, 1, hijri, 0), Seasonal);
  return report;
}

Timetable Month(int year, int month, bool hijri = false) {
  Timetable report(ReportKind::Month, Source(Language::English, hijri));
  report.ComputeReportRows(MonthStartDate(year, month, hijri, 0), Seasonal);
  return report;
}

// The months of a page's blocks as the page shows them: rows top to bottom separated by "/",
// months left to right separated by blanks.
std::string Arrangement(const std::vector<MonthBlock>& blocks) {
  std::map<int, std::map<int, int>> rows;
  for (const MonthBlock& b : blocks)
    rows[b.Y][b.X] = b.Month;
  std::ostringstream text;
  for (const auto& [y, row] : rows) {
    if (text.tellp() > 0)
      text << "/";
    bool first = true;
    for (const auto& [x, month] : row) {
      text << (first ? "" : " ") << month;
      first = false;
    }
  }
  return text.str();
}

TEST(PageLayout, MonthBlocksOfEveryPageLayout) {
  const struct {
    int months;
    bool sideBySide, rightToLeft;
    int page;
    const char* arrangement;
    int width, height;
  } cases[] = {
      {1, true, true, 5, "5", 717, 900},
      {2, false, false, 1, "1/2", 717, 450},
      {2, false, true, 2, "4/3", 717, 450},
      {2, true, false, 6, "11 12", 346, 900},
      {2, true, true, 1, "2 1", 346, 900},
      {3, false, false, 1, "1/2/3", 717, 300},
      {3, false, true, 4, "12/11/10", 717, 300},
      {3, true, false, 2, "4 5 6", 222, 900},
      {3, true, true, 1, "3 2 1", 222, 900},
      {4, false, false, 1, "1 3/2 4", 346, 450},
      {4, false, true, 1, "3 1/4 2", 346, 450},
      {4, true, false, 3, "9 10/11 12", 346, 450},
      // Four months side by side right to left: the first month top right.
      {4, true, true, 1, "2 1/4 3", 346, 450},
      {6, false, false, 1, "1 4/2 5/3 6", 346, 300},
      {6, false, true, 2, "10 7/11 8/12 9", 346, 300},
      {6, true, false, 1, "1 2 3/4 5 6", 222, 450},
      {6, true, true, 2, "9 8 7/12 11 10", 222, 450},
  };
  Timetable report = Year();
  for (const auto& c : cases) {
    TPrintOptions& d = report.Design();
    d.POBNOMonths = c.months;
    d.POBSideBySide = c.sideBySide;
    d.POBRightToLeft = c.rightToLeft;
    report.DesignChanged();
    const std::vector<MonthBlock> blocks = PageBlocks(report, c.page, kA4.Width, 100, 1000);
    SCOPED_TRACE(::testing::Message() << c.months << " " << c.sideBySide << c.rightToLeft);
    EXPECT_EQ(c.arrangement, Arrangement(blocks));
    for (const MonthBlock& b : blocks) {
      EXPECT_EQ(c.width, b.Width);
      EXPECT_EQ(c.height, b.Height);
    }
    // The blocks keep the margins and stand 25 apart.
    const auto [left, right] = std::minmax_element(
        blocks.begin(), blocks.end(), [](const auto& a, const auto& b) { return a.X < b.X; });
    EXPECT_EQ(kPageMargin, left->X);
    EXPECT_LE(right->X + right->Width, kA4.Width - kPageMargin);
  }
  // A layout no page has paints no body; a page outside the report has no blocks.
  report.Design().POBNOMonths = 5;
  report.DesignChanged();
  EXPECT_EQ(1, report.PageCount());
  EXPECT_TRUE(PageBlocks(report, 1, kA4.Width, 100, 1000).empty());
  report.Design().POBNOMonths = 6;
  report.DesignChanged();
  EXPECT_TRUE(PageBlocks(report, 3, kA4.Width, 100, 1000).empty());
  EXPECT_TRUE(PageBlocks(report, 0, kA4.Width, 100, 1000).empty());
}

// The cell texts of the days, by their top.
std::vector<int> RowTops(const RecordingCanvas& canvas, const Timetable& report) {
  std::vector<int> tops;
  for (const auto& t : canvas.texts)
    if (t.InCell && t.Font == report.Design().POBFont && (tops.empty() || tops.back() != t.Y))
      tops.push_back(t.Y);
  return tops;
}

TEST(PageLayout, RowStepsFillTheBlockInGregorianAndLeaveTwoFreeInHijri) {
  const struct {
    int year, month;
    bool hijri;
    int days, freeSteps;
  } cases[] = {
      {2026, 1, false, 31, 0},
      {2026, 2, false, 28, 3},
      {1448, 9, true, 30, 2},
      {1447, 9, true, 29, 3},
  };
  for (const auto& c : cases) {
    Timetable report = Month(c.year, c.month, c.hijri);
    report.Design().POHeader = false;
    report.Design().POFooter = false;
    RecordingCanvas canvas;
    ASSERT_TRUE(PaintReportPage(report, canvas, 1, kA4));
    const std::vector<int> tops = RowTops(canvas, report);
    ASSERT_EQ(static_cast<std::size_t>(c.days), tops.size()) << c.year << "/" << c.month;
    const int step = tops[1] - tops[0];
    const int blockBottom = kA4.Height - kPageMargin;
    // The rows end freeSteps row steps above the block's bottom, less what the division left.
    const int room = blockBottom - tops.back();
    EXPECT_LE(c.freeSteps * step, room) << c.year << "/" << c.month;
    EXPECT_LT(room, c.freeSteps * step + (c.hijri ? 32 : 31)) << c.year << "/" << c.month;
  }
}

TEST(PageLayout, AMonthBlocksTitleHeadingsAndGrid) {
  Timetable report = Month(2026, 1);
  RecordingCanvas canvas;
  ASSERT_TRUE(PaintReportPage(report, canvas, 1, kA4));
  // The title in bold at a quarter more than the body's size, centred in the block.
  const auto title = canvas.Find("January, 2026");
  ASSERT_EQ(1u, title.size());
  EXPECT_EQ(TextAnchor::Center, title[0].Anchor);
  EXPECT_EQ(kPageMargin + (kA4.Width - 50) / 2, title[0].X);
  EXPECT_TRUE(title[0].Font.Bold);
  EXPECT_EQ(7, title[0].Font.Size);
  // Seven columns (date and the six times), each cell left aligned 2 units into its column.
  const int column = (kA4.Width - 50) / 7;
  const auto fajr = canvas.Find("Fajr");
  ASSERT_EQ(1u, fajr.size());
  EXPECT_TRUE(fajr[0].Font.Bold);
  EXPECT_EQ(kPageMargin + column + 2, fajr[0].X);
  EXPECT_EQ(
      (PageRect{kPageMargin + column, fajr[0].Y + 1, kPageMargin + 2 * column, fajr[0].Y + 12 - 1}),
      fajr[0].Clip);
  // Vertical rules: the two edges and six between the columns.
  int verticals = 0;
  for (const auto& l : canvas.lines)
    verticals += l.X1 == l.X2;
  EXPECT_EQ(8, verticals);

  report.Design().POBDrawGrid = false;
  report.Design().POHDrawLine = false;
  report.Design().POFDrawLine = false;
  RecordingCanvas plain;
  PaintReportPage(report, plain, 1, kA4);
  EXPECT_TRUE(plain.lines.empty());
}

TEST(PageLayout, TheFooterMovesDownWithoutALegend) {
  Timetable report = Month(2026, 1);
  RecordingCanvas canvas;
  PaintReportPage(report, canvas, 1, kA4);
  const int bottom = kA4.Height - kPageMargin;
  const int line = 12;  // the footer's 6 points
  ASSERT_EQ(1u, canvas.Find("Page (1)").size());
  EXPECT_EQ(bottom - line, canvas.Find("Page (1)")[0].Y);
  EXPECT_EQ(bottom - 2 * line, canvas.Find(" Page Footer")[0].Y);

  TimetableSource source = Source();
  source.Track.IshaFajrConflict.Record(170);
  source.Track.IshaSaturation.Record(171);
  Timetable tracked(ReportKind::Month, source);
  tracked.ComputeReportRows(EncodeDate(2026, 1, 1), Seasonal);
  RecordingCanvas withLegend;
  PaintReportPage(tracked, withLegend, 1, kA4);
  const std::string legend =
      "#: Conflict between Isha and Fajr, ^: Saturation in Isha Calculation, ";
  ASSERT_EQ(1u, withLegend.Find(legend).size());
  EXPECT_EQ(bottom - 2 * line, withLegend.Find(legend)[0].Y);
  EXPECT_EQ(bottom - 3 * line, withLegend.Find(" Page Footer")[0].Y);
  // The rule above the footer, across the page between the margins.
  bool rule = false;
  for (const auto& l : withLegend.lines)
    rule |= l.Y1 == bottom - 3 * line && l.X1 == kPageMargin && l.X2 == kA4.Width - kPageMargin;
  EXPECT_TRUE(rule);
}

TEST(PageLayout, LegendsAndPageNumbers) {
  Trackers all;
  all.IshaFajrConflict.Record(170);
  all.FajrSaturation.Record(171);
  all.IshaSaturation.Record(172);
  EXPECT_EQ(
      "#: Conflict between Isha and Fajr, ^: Saturation in Fajr Calculation, "
      "^: Saturation in Isha Calculation, ",
      LegendLine(all));
  EXPECT_EQ("", LegendLine(Trackers{}));

  const struct {
    const char* pattern;
    int page;
    const char* text;
  } cases[] = {{"Page (#)", 3, "Page (3)"},
               {"-#-", 12, "-12-"},
               {"Page", 5, "Page"},
               {"#/#", 7, "7/7"},
               {"", 2, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(c.text, PageNumberText(c.pattern, c.page)) << c.pattern;
  EXPECT_EQ(kPageNumberChars, PageNumberText(std::string(300, '#'), 1).size());
}

// An Arabic page reads the legend right to left from the right margin: each sign stands at the
// right of its own description, nearer to it than to the piece before.
TEST(PageLayout, TheArabicLegendPutsEachSignBesideItsDescription) {
  TimetableSource source = Source(Language::Arabic);
  source.Track.IshaFajrConflict.Record(170);
  source.Track.FajrSaturation.Record(171);
  source.Track.IshaSaturation.Record(172);
  Timetable report(ReportKind::Year, source);
  report.ComputeReportRows(EncodeDate(2026, 1, 1), Seasonal);
  RecordingCanvas canvas;
  ASSERT_TRUE(PaintReportPage(report, canvas, 1, kA4));
  const auto conflict = canvas.Find("تضارب بين الفجر والعشاء،");
  const auto fajr = canvas.Find("إشباع في حساب الفجر،");
  const auto isha = canvas.Find("إشباع في حساب العشاء،");
  const auto hash = canvas.Find("#");
  auto carets = canvas.Find("^");
  ASSERT_EQ(1u, conflict.size());
  ASSERT_EQ(1u, fajr.size());
  ASSERT_EQ(1u, isha.size());
  ASSERT_EQ(1u, hash.size());
  ASSERT_EQ(2u, carets.size());
  std::sort(carets.begin(), carets.end(), [](const auto& a, const auto& b) { return a.X > b.X; });
  // From the right: #, its description, ^, Fajr's, ^, Isha's.
  const std::vector<RecordingCanvas::Text> order = {hash[0], conflict[0], carets[0],
                                                    fajr[0], carets[1],   isha[0]};
  EXPECT_EQ(kA4.Width - kPageMargin, order[0].Right());
  for (std::size_t i = 1; i < order.size(); ++i) {
    EXPECT_LT(order[i].Right(), order[i - 1].Left()) << i;
    EXPECT_EQ(order[0].Y, order[i].Y) << i;
  }
  for (std::size_t sign : {2u, 4u})
    EXPECT_LT(order[sign].Left() - order[sign + 1].Right(),
              order[sign - 1].Left() - order[sign].Right())
        << sign;
  for (const auto& description : {conflict[0], fajr[0], isha[0]})
    EXPECT_EQ(LineDirection::RightToLeft, description.Direction) << description.Value;
}

TEST(PageLayout, HeaderLinesInBothLanguages) {
  TLocationRec loc = Source().Location;
  EXPECT_EQ("DAMASCUS, SYRIA", LocationLine(loc, Language::English));
  EXPECT_EQ("LAT=33°30'(Northern), LONG=36°18' (Eastern)",
            LocationDetailsLine(loc, Language::English));
  EXPECT_EQ("خط العرض=33°30'شمالي خط الطول=36°18'شرقي", LocationDetailsLine(loc, Language::Arabic));
  loc.City = "DENVER";
  loc.State = "CO";
  loc.Country = "USA";
  loc.North = true;
  loc.West = true;
  EXPECT_EQ("DENVER, CO, USA", LocationLine(loc, Language::English));
  EXPECT_EQ("USA ،CO ،DENVER", LocationLine(loc, Language::Arabic));
  loc.ZuhrDelayOn = true;
  loc.Hanafi = true;
  loc.Method = TFajrIshaMethod::FixedTime;
  EXPECT_EQ("Fajr & Isha: Fixed, Zuhr: African, Asr: Hanafi",
            CalcMethodLine(loc, Language::English));
  // A blank between each name and its value, as in English.
  EXPECT_EQ(" الفجر والعشاء ثابتة ، الظهر افريقي ، العصر حنفي",
            CalcMethodLine(loc, Language::Arabic));

  const struct {
    std::uint8_t method;
    const char* english;
    const char* arabic;
  } methods[] = {{0, "Eastern", "شرقية"},
                 {1, "Middle-Eastern", "شرق أوسطية"},
                 {2, "Fixed", "ثابتة"},
                 {3, "Yours", "خاصة"},
                 {4, "Saudi", "سعودية"},
                 {5, "", ""},
                 {255, "", ""}};
  for (const auto& m : methods) {
    EXPECT_EQ(m.english, CalcMethodName(m.method, Language::English)) << int(m.method);
    EXPECT_EQ(m.arabic, CalcMethodName(m.method, Language::Arabic)) << int(m.method);
  }
}

TEST(PageLayout, ArabicLinesEndAtTheRightMargin) {
  Timetable report(ReportKind::Month, Source(Language::Arabic));
  report.ComputeReportRows(EncodeDate(2026, 1, 1), Seasonal);
  RecordingCanvas canvas;
  PaintReportPage(report, canvas, 1, kA4);
  const auto header = canvas.Find("أوقات الصلاة لسنة كاملة");
  ASSERT_EQ(1u, header.size());
  EXPECT_EQ(kA4.Width - kPageMargin, header[0].X + 23 * 8);  // 23 characters at 8 points
  EXPECT_EQ(kPageMargin, header[0].Y);
  const auto page = canvas.Find("-1-");
  ASSERT_EQ(1u, page.size());
  EXPECT_EQ(kA4.Width - kPageMargin, page[0].X + 3 * 6);
  // Right to left the Isha column comes first; the design aligns the cells right.
  const int column = (kA4.Width - 50) / 7;
  const auto isha = canvas.Find("عشاء");
  ASSERT_EQ(1u, isha.size());
  EXPECT_EQ(TextAnchor::Right, isha[0].Anchor);
  EXPECT_EQ(kPageMargin + column - 2, isha[0].X);
}

TEST(PageLayout, ThePeaksPageCentresMonthsOverARuleAndRepeatsTitlesInJanuaryAndJuly) {
  for (Language lang : {Language::English, Language::Arabic}) {
    Timetable report = Year(lang);
    ASSERT_TRUE(report.SelectDesign(lang == Language::Arabic ? 6 : 2));
    ASSERT_TRUE(report.ShowsPeaksOnly());
    ASSERT_EQ(1, report.PageCount());
    RecordingCanvas canvas;
    ASSERT_TRUE(PaintReportPage(report, canvas, 1, kA4));
    EXPECT_FALSE(PaintReportPage(report, canvas, 2, kA4));

    const NameLists& names = report.Source().Names;
    const auto& months = lang == Language::Arabic ? names.AMonths : names.EMonths;
    const std::string fajr = lang == Language::Arabic ? "فجر" : "Fajr";
    EXPECT_EQ(2u, canvas.Find(fajr).size());
    // The table's width from the rule under the first month.
    const auto january = canvas.Find(months[0]);
    ASSERT_EQ(1u, january.size());
    const auto rule = std::find_if(canvas.lines.begin(), canvas.lines.end(),
                                   [&](const auto& l) { return l.Y1 == january[0].Y + 6; });
    ASSERT_NE(canvas.lines.end(), rule);
    const int total = rule->X2 - rule->X1;
    if (lang == Language::Arabic)
      EXPECT_EQ(kA4.Width - kPageMargin, rule->X2);
    else
      EXPECT_EQ(kPageMargin, rule->X1);
    RecordingCanvas measure;
    measure.SetFont(report.Design().POBFont, report.Design().POBFont.Size);
    for (const std::string& month : months) {
      const auto name = canvas.Find(month);
      ASSERT_EQ(1u, name.size()) << month;
      EXPECT_FALSE(name[0].InCell);
      EXPECT_EQ(rule->X1 + (total - measure.TextWidth(month)) / 2, name[0].X) << month;
      // Over a rule across the table, through the middle of the name's line.
      EXPECT_TRUE(std::any_of(canvas.lines.begin(), canvas.lines.end(), [&](const auto& l) {
        return l.Y1 == name[0].Y + 6 && l.X1 == rule->X1 && l.X2 == rule->X2;
      })) << month;
    }
    // The titles follow January and July directly.
    const auto titles = canvas.Find(fajr);
    EXPECT_EQ(january[0].Y + 12, titles[0].Y);
    EXPECT_EQ(canvas.Find(months[6])[0].Y + 12, titles[1].Y);
  }
}

TEST(PageLayout, AHugeFontFromTheSettingsIsPaintedAtTheLargestSizeThatFits) {
  Timetable report = Month(2026, 1);
  report.Design().POHFont.Size = std::numeric_limits<int>::max();
  report.Design().POBFont.Size = std::numeric_limits<int>::max();
  RecordingCanvas canvas;
  ASSERT_TRUE(PaintReportPage(report, canvas, 1, kA4));
  const auto header = canvas.Find("Zurivo Zazir For One Year");
  ASSERT_EQ(1u, header.size());
  EXPECT_EQ(kMaxPageFontPoints, header[0].Points);
  // The title and the cells shrink into the block and its columns.
  const auto title = canvas.Find("January, 2026");
  ASSERT_EQ(1u, title.size());
  EXPECT_LT(title[0].Points, kMaxPageFontPoints);
  EXPECT_LE(title[0].Clip.Left, title[0].Left());
  EXPECT_LE(title[0].Right(), title[0].Clip.Right);
}

// Trackers set on every day: Fajr and Isha carry "#" and "^" after their "*".
TimetableSource MarkedEveryDay(Language lang) {
  TimetableSource source = Source(lang);
  for (Tracker* t : {&source.Track.IshaFajrConflict, &source.Track.FajrSaturation,
                     &source.Track.IshaSaturation}) {
    t->Record(1);
    t->Record(366);
  }
  return source;
}

TEST(PageLayout, EveryHeadingAndCellIsDrawnWholeInItsColumn) {
  const struct {
    bool gregorian, hijri, imsak, dayName;
    int columns;
  } columnSets[] = {
      {false, false, false, false, 6},
      {true, false, false, false, 7},
      {true, true, true, false, 9},
      {true, true, true, true, 10},
  };
  for (int index = 0; index < kDesignCount; ++index) {
    const Language lang = index >= 4 ? Language::Arabic : Language::English;
    const bool year = index % 4 != 3;
    for (const auto& set : columnSets) {
      Timetable report(year ? ReportKind::Year : ReportKind::Month, MarkedEveryDay(lang));
      report.ComputeReportRows(EncodeDate(2026, 1, 1), Seasonal);
      ASSERT_TRUE(report.SelectDesign(index));
      TPrintOptions& d = report.Design();
      d.POGregorian = set.gregorian;
      d.POHijri = set.hijri;
      d.POImsak = set.imsak;
      d.PODayName = set.dayName;
      report.DesignChanged();
      for (int page = 1; page <= report.PageCount(); ++page) {
        RecordingCanvas canvas;
        ASSERT_TRUE(PaintReportPage(report, canvas, page, kA4));
        int cells = 0;
        for (const auto& t : canvas.texts) {
          if (!t.InCell)
            continue;
          ++cells;
          EXPECT_LE(t.Clip.Left, t.Left()) << index << " " << set.columns << ": " << t.Value;
          EXPECT_LE(t.Right(), t.Clip.Right) << index << " " << set.columns << ": " << t.Value;
          // The clip keeps a unit off the rules of a line of the design's size; a text drawn
          // smaller stands inside it, out of reach of its edges.
          const int line = static_cast<int>(std::lround(2 * t.Points));
          const int slack = 2 * t.Font.Size - line >= 2 ? 0 : 1;
          EXPECT_LE(t.Clip.Top - slack, t.Y) << index << " " << set.columns << ": " << t.Value;
          EXPECT_LE(t.Y + line, t.Clip.Bottom + slack)
              << index << " " << set.columns << ": " << t.Value;
        }
        EXPECT_GT(cells, 0);
      }
    }
  }
}

TEST(PageLayout, ABlockShrinksOnlyWhenATextWouldNotFitAndThenAsLittleAsItMust) {
  // One month on the page: every heading and cell of its one block at one size.
  const auto sizes = [](const RecordingCanvas& canvas, const FontSpec& body) {
    std::set<double> points;
    for (const auto& t : canvas.texts)
      if (t.InCell && t.Font.Size == body.Size && !t.Font.Bold)
        points.insert(t.Points);
    return points;
  };
  Timetable month = Month(2026, 1);
  RecordingCanvas roomy;
  ASSERT_TRUE(PaintReportPage(month, roomy, 1, kA4));
  EXPECT_EQ(std::set<double>{6}, sizes(roomy, month.Design().POBFont));
  EXPECT_EQ(6, roomy.Find("Maghrib")[0].Points);
  EXPECT_EQ(7, roomy.Find("January, 2026")[0].Points);

  // Ten columns in a narrow page: "Wednesday" and "05:12 *#^" take 9 of the 8.6 characters a
  // column of 25 holds at 6 points with its margins, so the block is drawn at 2.3 points.
  Timetable report(ReportKind::Month, MarkedEveryDay(Language::English));
  report.ComputeReportRows(EncodeDate(2026, 1, 1), Seasonal);
  TPrintOptions& d = report.Design();
  d.PODayName = d.POHijri = d.POImsak = true;
  report.DesignChanged();
  RecordingCanvas narrow;
  ASSERT_TRUE(PaintReportPage(report, narrow, 1, PageSize{300, 1094}));
  EXPECT_EQ(std::set<double>{2.3}, sizes(narrow, d.POBFont));
  EXPECT_EQ(2.3, narrow.Find("Maghrib")[0].Points);
  // The title has the block's whole width, and the header and footer keep their sizes.
  EXPECT_EQ(7, narrow.Find("January, 2026")[0].Points);
  EXPECT_EQ(8, narrow.Find("Zurivo Zazir For One Year")[0].Points);
  EXPECT_EQ(6, narrow.Find("Page (1)")[0].Points);
  // Each text is measured once; only the widest are measured again at the sizes tried.
  int inCells = 0;
  for (const auto& t : narrow.texts)
    inCells += t.InCell;
  EXPECT_LT(narrow.measures, inCells + 10);
}

TEST(PageLayout, ArabicMonthTitlesReadRightToLeftWithTheArabicComma) {
  EXPECT_EQ("January, 2026", MonthTitle("January", 2026, false));
  EXPECT_EQ("كانون الثاني، 2026", MonthTitle("كانون الثاني", 2026, true));

  Timetable arabic = Year(Language::Arabic);
  ASSERT_TRUE(arabic.SelectDesign(4));
  RecordingCanvas canvas;
  ASSERT_TRUE(PaintReportPage(arabic, canvas, 1, kA4));
  const auto title = canvas.Find("كانون الثاني، 2026");
  ASSERT_EQ(1u, title.size());
  EXPECT_EQ(LineDirection::RightToLeft, title[0].Direction);
  EXPECT_EQ(TextAnchor::Center, title[0].Anchor);
  // The cells keep the order their texts were built in.
  EXPECT_EQ(LineDirection::AsBuilt, canvas.Find("عشاء")[0].Direction);

  RecordingCanvas english;
  ASSERT_TRUE(PaintReportPage(Year(), english, 1, kA4));
  ASSERT_EQ(1u, english.Find("January, 2026").size());
  EXPECT_EQ(LineDirection::AsBuilt, english.Find("January, 2026")[0].Direction);
}

TEST(PageLayout, TheHeaderRuleLiesBelowTheDescentOfTheLastLine) {
  for (Language lang : {Language::English, Language::Arabic}) {
    Timetable report(ReportKind::Month, Source(lang));
    report.ComputeReportRows(EncodeDate(2026, 1, 1), Seasonal);
    RecordingCanvas canvas;
    ASSERT_TRUE(PaintReportPage(report, canvas, 1, kA4));
    const std::string last = CalcMethodLine(report.Source().Location, lang);
    const auto line = canvas.Find(last);
    ASSERT_EQ(1u, line.size());
    // The lines step by the font's line (8 points: 16); the Arabic face reaches 24 below.
    EXPECT_EQ(kPageMargin + 3 * 16, line[0].Y);
    const int descent = lang == Language::Arabic ? 24 : 16;
    const auto rule = std::find_if(canvas.lines.begin(), canvas.lines.end(), [](const auto& l) {
      return l.X1 == kPageMargin && l.X2 == kA4.Width - kPageMargin && l.Y1 < 200;
    });
    ASSERT_NE(canvas.lines.end(), rule);
    EXPECT_EQ(line[0].Y + descent, rule->Y1) << int(lang);
    // The header's lines do not paint over one another.
    for (const auto& t : canvas.texts)
      EXPECT_TRUE(t.Y > rule->Y1 || t.Background == TextBackground::Transparent) << t.Value;
  }
}

TEST(PageLayout, NoPageOutsideTheReportIsPainted) {
  Timetable report = Year();
  ASSERT_EQ(2, report.PageCount());
  for (int page : {0, -1, 3}) {
    RecordingCanvas canvas;
    EXPECT_FALSE(PaintReportPage(report, canvas, page, kA4)) << page;
    EXPECT_TRUE(canvas.texts.empty());
    EXPECT_TRUE(canvas.lines.empty());
  }
  RecordingCanvas second;
  ASSERT_TRUE(PaintReportPage(report, second, 2, kA4));
  EXPECT_EQ(1u, second.Find("July, 2026").size());
  EXPECT_EQ(1u, second.Find("Page (2)").size());
  EXPECT_TRUE(second.Find("June, 2026").empty());
}

TEST(PageLayout, PageSizesRangesAndShrinkToFit) {
  EXPECT_EQ((PageSize{767, 1094}), LogicalPageSize(9583, 13699, 1200, 1200, 96));
  EXPECT_EQ((PageSize{0, 0}), LogicalPageSize(9583, 13699, 0, 1200, 96));
  EXPECT_EQ(0, RoundHalfEven(0.5));
  EXPECT_EQ(2, RoundHalfEven(1.5));
  EXPECT_EQ(2, RoundHalfEven(2.5));
  EXPECT_EQ(3, RoundHalfEven(2.51));
  EXPECT_EQ(-2, RoundHalfEven(-2.5));

  const struct {
    int count;
    std::vector<PageRange> chosen;
    std::vector<int> pages;
  } ranges[] = {
      {12, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {12, {{2, 2}, {5, 5}}, {2, 5}},
      {12, {{3, 3}}, {3}},
      {12, {{1, 2}, {12, 12}}, {1, 2, 12}},
      {12, {{5, 6}, {2, 5}}, {2, 3, 4, 5, 6}},  // in order, each once
      {2, {{2, 9}}, {2}},                       // kept inside the report
      {2, {{3, 9}}, {}},
      {0, {}, {1}},
  };
  for (const auto& r : ranges)
    EXPECT_EQ(r.pages, PagesToPrint(r.count, r.chosen)) << r.count << " " << r.chosen.size();

  const struct {
    int bw, bh, rw, rh;
    FitSize fit;
  } cases[] = {
      {767, 1096, 1000, 500, {350, 500}},  // taller than the room: as high as the room
      {1096, 767, 500, 1000, {500, 350}},  // wider: as wide as the room
      {767, 1096, 767, 1096, {767, 1096}}, {767, 1096, 0, 500, {0, 0}},  // no room left
      {767, 1096, 500, -20, {0, 0}},       {0, 1096, 500, 500, {0, 0}},
      {767, 1096, 1, 1000, {1, 1}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.fit, FitPageSize(c.bw, c.bh, c.rw, c.rh))
        << c.bw << "x" << c.bh << " in " << c.rw << "x" << c.rh;
}

}  // namespace
}  // namespace vek
