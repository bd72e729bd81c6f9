// Small routines the main program shares: flattening a text into one line, prayer-time and
// day-and-month captions, the test that the program does not run from a read-only folder, and
// where the debug log lives.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/language.h"
#include "foundation/ui_services.h"

namespace vek {

// Every CR and LF becomes a space, then the leading spaces are removed.
std::string FlattenLines(std::string_view text);

// The time of day of a date value (days since 30 December 1899; only the fraction counts) as
// "hh:mm  AM" / "hh:mm  PM" (hours 12, 01 .. 11), or with is24H as "hh:mm  " (hours 00..23).
// The time is rounded to the millisecond, then cut to the minute, so seconds never show. A time
// below zero or of a day or more wraps into the day: one minute before 0 reads 23:59.
std::string FormatPrayerTime(double time, bool is24H);

using MonthNameList = std::array<std::string, 12>;

// What MonthYearCaption takes from the main window.
struct MonthCaptionContext {
  bool HijriMode = false;
  Language Lang = Language::English;
  int Year = 0;  // the current year, whose day is converted in Hijri mode
  int HijriAdjust = 0;
  const MonthNameList& AMonths;   // Gregorian, Arabic
  const MonthNameList& EMonths;   // Gregorian, English
  const MonthNameList& AHMonths;  // Hijri, Arabic
  const MonthNameList& EHMonths;  // Hijri, English
};

// The day and month of dayOfYear in a common year (day 60 is 1 March); in Hijri mode that day
// and month of the current year as a Hijri day and month. Arabic: day + " " + month name;
// English: month name + " " + day.
std::string MonthYearCaption(int dayOfYear, const MonthCaptionContext& context);

// True, after one message in Arabic and English, when no file can be created in the program
// folder; the program must not run from there. The probe file has a unique name and is removed
// again.
bool StartDriveIsReadOnly(const std::filesystem::path& programFolder, UiServices& ui);

// The debug log's file: "VEK_LOG.TXT" in the program folder.
std::filesystem::path DebugLogFileFor(const std::filesystem::path& programFolder);

}  // namespace vek
