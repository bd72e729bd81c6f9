// Every text of a timetable's cells and column titles, for the screen, the text export and the
// printed pages alike: ten columns (day name, Hijri date, Gregorian date, Imsak, Fajr, Shuruq,
// Zuhr, Asr, Maghrib, Isha) in the design's order, with their markers.
#pragma once

#include <array>
#include <string>

#include "engine/day_record.h"
#include "engine/trackers.h"
#include "foundation/language.h"
#include "locations/location_record.h"
#include "program/report_range.h"
#include "program/settings.h"
#include "report/report_design.h"

namespace vek {

// The logical columns.
enum ReportColumn : int {
  kDayNameColumn = 0,
  kHijriColumn = 1,
  kGregorianColumn = 2,
  kImsakColumn = 3,
  kFajrColumn = 4,
  kIshaColumn = 9,
};

// What the cell texts read besides the design and the row.
struct CellTextSource {
  ReportKind Mode = ReportKind::Month;
  Language Lang = Language::English;
  int HijriAdjust = 0;
  const TLocationRec* Location = nullptr;  // the report's location (daylight saving)
  const Trackers* Track = nullptr;         // the high-latitude days: "#" and "^"
  const NameLists* Names = nullptr;        // the user's day names
};

// The logical column shown at display position k (0..9 from the left): k itself, or 9 - k
// when the design runs from right to left.
int LogicalColumn(const TPrintOptions& design, int k);
// The design shows the logical column (the six prayer columns always).
bool ColumnShown(const TPrintOptions& design, int logical);

// The title of display column k, empty when the column is hidden; SectionTitle gives it also
// for a hidden column (the header's sections).
std::string ColumnTitle(const TPrintOptions& design, Language lang, int k);
std::string SectionTitle(const TPrintOptions& design, Language lang, int k);

// The width the shown columns of the timetable window share.
inline constexpr int kTimetableWidth = 600;

// Widths of the header sections by display position: 600 div the number of shown columns for a
// shown column, 0 for a hidden one.
std::array<int, kReportColumns> ColumnWidths(const TPrintOptions& design);
// The same, with the day-name column wide enough for dayNameWidth (its widest name with its
// margins) when its share is narrower, though never more than twice its share: the other shown
// columns share the rest equally, so that the table keeps its width.
std::array<int, kReportColumns> ColumnWidths(const TPrintOptions& design, int dayNameWidth);

// A time as the design writes it: "hh:mm " in 24 hours; "hh:mm am" / "hh:mm pm" with am/pm;
// else the 12-hour "hh:mm " (hours 13 and later less 12, hours up to 12 as they are).
std::string FormatCellTime(const TPrintOptions& design, double time);
// Dates by the date style, numbers without leading zeros: 7/8/1998, 7/8 or 7.
std::string GregorianDateText(int dateStyle, double date);
std::string HijriDateText(int dateStyle, double date, int hijriAdjust);
// The user's name of the date's week day in the language.
std::string DayNameText(double date, const NameLists& names, Language lang);
// "N " / "S " (Arabic "ص " / "ش "), the blank before the letter from right to left; empty
// unless the design asks for it and the location keeps daylight saving.
std::string SavingLetter(const TPrintOptions& design, const TLocationRec& loc, Language lang,
                         double date);

// The text of display column k for a row: the column's value with its markers ("*" a turning
// point of a year report, "#" and "^" the high-latitude days of Fajr and Isha); empty for a
// hidden column.
std::string CellText(const TPrintOptions& design, const CellTextSource& source, int k,
                     const KQItem& row);

}  // namespace vek
