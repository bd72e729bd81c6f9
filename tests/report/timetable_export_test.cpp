#include "report/timetable_export.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "engine/calendar.h"
#include "foundation/cp1256.h"
#include "foundation/file_io.h"
#include "support/day_times.h"
#include "support/fake_file_system.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace vek {
namespace {
using testing::ReadBytes;

using testing::Day;
using testing::Hm;

// Times that move a minute every few days.
TDayTimesRec Moving(double date) {
  const int day = DayNumberOfYear(date);
  const int swing = std::abs(183 - day) / 6;
  return Day(Hm(4, 0) + swing, Hm(4, 10) + swing, Hm(5, 40) + swing, Hm(12, 30), Hm(16, 0),
             Hm(19, 0) - swing, Hm(20, 30) - swing);
}

TimetableSource UsSource() {
  TimetableSource s;
  s.Location.City = "SPRINGFIELD";
  s.Location.State = "IL";
  s.Location.Country = "USA";
  s.Location.DST = true;
  s.Location.DstStart = 67;
  s.Location.DstEnd = 304;
  // 10 to 12 February: a conflict, then saturation of Fajr and of Isha.
  s.Track.IshaFajrConflict.Record(41);
  s.Track.IshaFajrConflict.Record(43);
  s.Track.FajrSaturation.Record(42);
  s.Track.IshaSaturation.Record(43);
  return s;
}

// March 2026 in the United States (the switch to saving time on 8 March) with day names, the S/N
// letter, 12-hour times and the three legends: the bytes of the file in the fixture.
TEST(TimetableExport, AMonthAsTheFixtureHasIt) {
  TimetableSource source = UsSource();
  source.Track.IshaFajrConflict.Record(70);
  Timetable report(ReportKind::Month, source);
  report.Design().PODayName = true;
  report.Design().POSaving = true;
  report.Design().PODateFormat = DayAndMonth;
  report.DesignChanged();
  report.ComputeReportRows(EncodeDate(2026, 3, 1), Moving);
  const std::string expected =
      ReadBytes(std::filesystem::path(VEK_SOURCE_DIR) / "tests/report/fixtures/march_2026_us.txt");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(expected, Utf8ToCp1256Lossy(TimetableExportText(report)));
}

TEST(TimetableExport, SixPrayerColumnsInArabicInTheCodePage) {
  TimetableSource source;
  source.Location.City = "DAMASCUS";
  source.Location.Country = "SYRIA";
  source.Lang = Language::Arabic;
  source.Track.IshaSaturation.Record(183);
  Timetable report(ReportKind::Month, source);
  report.Design().POGregorian = false;
  report.ComputeReportRows(EncodeDate(2026, 7, 1), Moving);
  const std::string bytes = Utf8ToCp1256Lossy(TimetableExportText(report));
  // "عشاء" .. "فجر" from the left, as the Arabic design runs from right to left.
  const std::string titles =
      "\t\xDA\xD4\xC7\xC1\t\xE3\xDB\xD1\xC8\t\xDA\xD5\xD1\t\xD9\xE5\xD1\t\xD4\xD1\xE6\xDE"
      "\t\xDD\xCC\xD1\r\n";
  EXPECT_EQ(std::string("Location: DAMASCUS, SYRIA\r\n") + titles,
            bytes.substr(0, 27 + titles.size()));
  // Day 183 (2 July): Isha saturated; the marker stands in front.
  EXPECT_NE(std::string::npos,
            bytes.find("\r\n\t^08:30 \t07:00 \t04:00 \t12:30 \t05:40 \t04:10 \r\n"));
  EXPECT_EQ("\x5E\xC5\xD4\xC8\xC7\xDA \xDD\xED \xCD\xD3\xC7\xC8 \xC7\xE1\xDA\xD4\xC7\xC1\r\n",
            bytes.substr(bytes.size() - 23));
}

TEST(TimetableExport, APeaksOnlyYearWritesOnlyThePeaksRowsAndNoLegendWithoutTrackers) {
  TimetableSource source = UsSource();
  source.Track.Reset();
  source.Location.DST = false;
  Timetable report(ReportKind::Year, source);
  ASSERT_TRUE(report.SelectDesignByName("Summary Only"));
  report.ComputeReportRows(EncodeDate(2026, 1, 1), Moving);
  const std::string text = TimetableExportText(report);
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
    lines.push_back(text.substr(from, end - from));
  EXPECT_EQ(text.size(), from);  // the file ends with a line end
  ASSERT_EQ(report.PeakRows().size() + 2, lines.size());
  EXPECT_EQ("Location: SPRINGFIELD, IL, USA", lines[0]);
  EXPECT_EQ("\tDate\tFajr\tShuruq\tZuhr\tAsr\tMaghrib\tIsha", lines[1]);
  // The latest Fajr lies flat from 29 December to 3 January: its mark is on 1 January.
  EXPECT_EQ("\t1\t04:40 *\t06:10 *\t12:30 \t04:00 \t06:30 *\t08:00 *", lines[2]);
  EXPECT_EQ("\t31\t04:40 \t06:10 \t12:30 \t04:00 \t06:30 \t08:00 ", lines.back());
  // The earliest, on 2 July, follows eleven 1st and 15th days (1 July is dropped again).
  EXPECT_EQ("\t2\t04:10 *\t05:40 *\t12:30 \t04:00 \t07:00 *\t08:30 *", lines[2 + 12]);
  EXPECT_EQ(EncodeDate(2026, 7, 2), report.PeakRows()[12].Date);
}

TEST(TimetableExport, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  testing::TempDir dir;
  const std::filesystem::path file = dir.path() / "report.txt";
  ASSERT_EQ(0, WriteFileReplacing(file, "old"));
  Timetable report(ReportKind::Month, UsSource());
  report.ComputeReportRows(EncodeDate(2026, 2, 1), Moving);

  testing::FakeFileSystem full;
  full.writeLimit = 10;
  full.writeError = ENOSPC;
  EXPECT_EQ(ENOSPC, SaveTimetableText(report, file, full));
  testing::FakeFileSystem locked;
  locked.failRename = [](const auto&, const auto&) { return EACCES; };
  EXPECT_EQ(EACCES, SaveTimetableText(report, file, locked));
  EXPECT_EQ("old", ReadBytes(file));
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.path()),
                             std::filesystem::directory_iterator()));

  EXPECT_EQ(0, SaveTimetableText(report, file));
  EXPECT_EQ(Utf8ToCp1256Lossy(TimetableExportText(report)), ReadBytes(file));

  // Saved through a link the user keeps, over a file only its owner may read: the link stays,
  // the file behind it is replaced with its permission bits.
  const std::filesystem::path link = dir.path() / "link.txt";
  std::filesystem::create_symlink("report.txt", link);
  ASSERT_EQ(0, WriteFileReplacing(file, "old"));
  std::filesystem::permissions(
      file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(0, SaveTimetableText(report, link));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Utf8ToCp1256Lossy(TimetableExportText(report)), ReadBytes(file));
  EXPECT_EQ(std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            std::filesystem::status(file).permissions());
}

// A folder that is not there is a path not found, in both languages.
TEST(TimetableExport, TheMessageOfAFailedSaveNamesTheFileAndWhatWentWrong) {
  testing::TempDir dir;
  Timetable report(ReportKind::Month, UsSource());
  report.ComputeReportRows(EncodeDate(2026, 2, 1), Moving);
  const std::filesystem::path missing = dir.path() / "missing" / "report.txt";
  const int error = SaveTimetableText(report, missing);
  ASSERT_EQ(ENOENT, error);
  EXPECT_EQ("The timetable could not be saved to the file:\r\n" + missing.string() +
                "\r\nDOS error code 3: Path not found",
            ExportFailureText(missing, error, Language::English));
  EXPECT_EQ("تعذر حفظ جدول الأوقات في الملف:\r\n" + missing.string() +
                "\r\nالمجلد غير موجود (رمز الخطأ 3)",
            ExportFailureText(missing, error, Language::Arabic));

  const std::filesystem::path file = dir.path() / "report.txt";
  EXPECT_NE(std::string::npos,
            ExportFailureText(file, EACCES, Language::English).find("File access denied"));
}

TEST(TimetableExport, TheSaveDialogsFilterLeavesNoParenthesisAndGivesItsSuffix) {
  EXPECT_EQ("/tmp/times.txt", ExportFileName("/tmp/times.txt)").string());
  EXPECT_EQ("/tmp/times.TXT", ExportFileName("/tmp/times(").string());
  EXPECT_EQ("/tmp/times.txt", ExportFileName("/tmp/times.txt").string());
  EXPECT_EQ("/tmp/cairo-dec.TXT", ExportFileName("/tmp/cairo-dec").string());
  EXPECT_EQ("/tmp/a.b/cairo-dec.TXT", ExportFileName("/tmp/a.b/cairo-dec").string());
  EXPECT_EQ("/tmp/cairo.dec", ExportFileName("/tmp/cairo.dec").string());  // the user's own
}

}  // namespace
}  // namespace vek
