// The texts of the main window's display: the date captions (Hijri or Gregorian), the location
// caption, the high-latitude explanations, the window caption, the adhan button and the menu
// captions that change with the settings.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "engine/trackers.h"
#include "foundation/language.h"
#include "locations/location_record.h"
#include "program/settings.h"

namespace vek {

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

// Day name + " " + day + " " + month name + " " + year, in the Hijri calendar (with the user's
// adjustment) or the Gregorian one. The day of the week of a date value D is
// (floor(D) + 6) mod 7 from Sunday, 30 December 1899 having been a Saturday. Whether the date
// is in Ramadan is IsRamadanDate (engine/calendar.h).
std::string HijriDateCaption(double date, const NameLists& names, Language lang, int hijriAdjust);
std::string GregorianDateCaption(double date, const NameLists& names, Language lang);
std::string DateCaption(double date, bool hijriMode, const NameLists& names, Language lang,
                        int hijriAdjust);

// City + "  (" + Country + ")", and for a location in the USA " - " and the state's name.
std::string LocationCaption(const TLocationRec& loc);

// The text of a day of the year in the explanations (MonthYearCaption of the language the text
// is written in).
using DayTextFunction = std::function<std::string(int dayOfYear)>;

// What the high-latitude trackers found, and how it was solved; empty when no flag is set.
std::string EnglishConflictText(const Trackers& trackers, const DayTextFunction& dayText);
std::string ArabicConflictText(const Trackers& trackers, const DayTextFunction& dayText);

// The same with the days as MonthYearCaption texts of the context, in the language of the text
// whatever the context's language.
std::string EnglishConflictText(const Trackers& trackers, const MonthCaptionContext& context);
std::string ArabicConflictText(const Trackers& trackers, const MonthCaptionContext& context);

// The window caption in the user's language; the English one while the system cannot show
// Arabic.
std::string VersionCaption(Language lang, bool arabicSupported);

// The adhan button: its caption, its state text, and the selected adhan (azhanIndex 0..5 one
// recording, 8 all in turn, the next being rotationIndex when below 6).
std::string AzhanButtonCaption(bool azanSoundOn, Language lang);
std::string AzhanStateText(bool azanSoundOn, Language lang);
std::string AzhanCaption(int availableCount, int azhanIndex, int rotationIndex,
                         const AzhanDescriptionLists& descriptions, Language lang);

// The menu items that switch the date kind and the flying help: they name what a click
// switches to.
std::string DateKindMenuCaption(bool hijriMode, Language lang);
std::string FlyingHelpMenuCaption(bool showHint, Language lang);

}  // namespace vek
