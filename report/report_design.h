// Report designs: named sets of timetable options, which columns the table has and how they
// look, and how printed pages are laid out. Eight built-in designs (four English, four Arabic;
// year designs and month designs), each stored in VEK.INI in the section "PrintOptions" followed
// directly by its name, with the current design of each language in "PrintOptions".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/ini_file.h"
#include "foundation/language.h"
#include "program/report_range.h"
#include "program/settings_converters.h"

namespace vek {

inline constexpr int kDesignCount = 8;
inline constexpr int kReportColumns = 10;
inline constexpr std::string_view kPrintOptionsSection = "PrintOptions";

// Alignment of a column's texts (header section k and its cells).
enum ColumnAlignment : std::uint8_t { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

// Date column texts: 0 day/month/year, 1 day/month, 2 day.
enum DateStyle : std::uint8_t { CompleteDate = 0, DayAndMonth = 1, DayOnly = 2 };

struct TPrintOptions {
  std::string Name;         // also the suffix of its INI section
  bool Language = false;    // an Arabic design
  bool PODayName = false;   // day-name column
  bool YearDesign = false;  // offered for year reports (else for month reports)
  bool POHijri = false;     // Hijri date column
  bool POGregorian = true;  // Gregorian date column
  std::uint8_t PODateFormat = DayOnly;
  bool POImsak = false;      // Imsak column
  bool POPeaks = false;      // "*" turning-point markers (year reports)
  bool POPeaksOnly = false;  // only the peaks-only rows (year reports)
  bool PORight = false;      // columns from right to left
  bool PO24H = false;        // 24-hour times
  bool POAMPM = false;       // am/pm after 12-hour times
  bool POSaving = false;     // S/N daylight-saving letter
  bool POHeader = true;      // page header
  bool POHShowLocation = true;
  bool POHLocationDetails = true;
  bool POHShowCalcMethod = true;
  bool POHDrawLine = true;
  FontSpec POHFont;
  std::string POHOtherInfo;
  std::int32_t POBNOMonths = 1;  // months per printed page of a year: 1, 2, 3, 4 or 6
  bool POBDrawGrid = true;
  bool POBSideBySide = true;
  bool POBRightToLeft = false;
  bool POBMonthHeader = true;
  FontSpec POBFont;
  bool POFooter = true;
  bool POFPageNumber = true;
  std::string POFPageNumberText;  // "#" stands for the page number
  bool POFDrawLine = true;
  FontSpec POFFont;
  std::string POFOtherInfo;
  std::array<std::uint8_t, kReportColumns> AlignmentField{};  // of display column k
  bool POPortraitOrientation = false;                         // the built-ins leave it as it is

  bool operator==(const TPrintOptions&) const = default;
};

using ReportDesigns = std::array<TPrintOptions, kDesignCount>;

// Fills design with built-in design index 0..7; another index leaves it unchanged. The
// orientation is not part of the built-ins and keeps its value.
void FillDefaultDesign(int index, TPrintOptions& design);

// The eight built-in designs (orientation portrait, as a design without that key reads).
ReportDesigns DefaultDesigns();

// The months per page that a year's pages can hold: 1, 2, 3, 4 or 6.
bool ValidMonthsPerPage(int months);

// The INI section of a design: "PrintOptions" followed by its name.
std::string DesignSection(const TPrintOptions& design);

// Overwrites each design from its section: a missing key keeps the design's value (the
// orientation reads portrait when missing); booleans are false only for "F" and "FALSE"; months
// per page outside 1, 2, 3, 4, 6 take the design's built-in value. Name, language and year flag
// are never read.
void LoadDesigns(const IniFile& ini, ReportDesigns& designs);

// Writes every key of all eight sections, then the current design of the given language
// ("CurrentArabicDesign" or "CurrentEnglishDesign"); the other language's key is left alone.
void SaveDesigns(IniFile& ini, const ReportDesigns& designs, int currentDesign, Language lang);

// The design of the language that fits a month or a year report: its year flag says the kind.
bool DesignFits(const TPrintOptions& design, Language lang, ReportKind kind);
// The first fitting design of the language, or -1.
int FirstFittingDesign(const ReportDesigns& designs, Language lang, ReportKind kind);
// The stored current design of the language when it fits, else the first fitting one.
int ReadCurrentDesign(const IniFile& ini, const ReportDesigns& designs, Language lang,
                      ReportKind kind);

// Printed pages: 1 for a month and for a year's peaks-only list, else 12 div the months per
// page; never less than 1 (a value that no page layout has gives 1).
int ReportPageCount(ReportKind kind, const TPrintOptions& design);

}  // namespace vek
