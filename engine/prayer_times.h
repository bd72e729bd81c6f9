// The prayer-times engine: one location record and one day of a year give the seven times of
// that day, from the daily solar tables, spherical hour angles, the location's Fajr/Isha method
// and options, daylight saving time and the user's safety offsets; last, Shuruq and Maghrib are
// held to the true sunrise and sunset of the date.
#pragma once

#include "engine/day_times.h"
#include "engine/trackers.h"
#include "foundation/ui_services.h"
#include "locations/location_record.h"

namespace vek {

// The user's safety offsets, in hours (positive delays, negative advances).
struct SafetyOffsets {
  double Fajr = 0;
  double Isha = 0;
  double Asr = 0;
  double Shuruq = 0;
  double Maghrib = 0;
  double Zuhr = 0;
};

// What the date-based computations need besides the location.
struct EngineContext {
  SafetyOffsets Safety;
  int HijriAdjust = 0;       // the user's Hijri adjustment, -3..+3 days
  UiServices* Ui = nullptr;  // beeps when an arccosine argument is out of range; may be null
};

enum class MinuteRounding { Up = 0, Down = 1, Nearest = 2 };

// Clamps x into [-1, 1] (beeping through ui when it was outside) and returns its arccosine.
double SafeArcCos(double x, UiServices* ui = nullptr);

// Hours as a time of day, rounded to the minute; 24 hours and more wrap, and so do negative
// hours (a time before midnight belongs to the evening before).
double HoursToTime(MinuteRounding mode, double hours);
int HoursToMinuteOfDay(MinuteRounding mode, double hours);

// The times of day dayOfYear (1..366, as DayNumberOfYear counts) of the calendar year at loc. The
// solar tables are read by the day number (a day outside 1..366 at the nearer end); the horizon
// guard of Shuruq and Maghrib takes the sun of the date itself (a year outside 1..9999 at the
// nearer end). isRamadan selects the Ramadan Isha interval of the Saudi method. With track set,
// the saturation and conflict days are recorded in it; nothing else is changed. Any record,
// offsets, day and year give seven whole minutes of the day.
TDayTimesRec ComputeDayTimes(int year, int dayOfYear, const TLocationRec& loc,
                             const SafetyOffsets& safety, bool isRamadan, Trackers* track = nullptr,
                             UiServices* ui = nullptr);

// The times of a calendar date: its own year, day of the year and Ramadan flag.
TDayTimesRec ComputeDateTimes(double date, const TLocationRec& loc, const EngineContext& ctx);

// Resets the trackers and fills them from days 121..244 of the given year at loc. The caller
// then shows the status marks from them.
void ScanHighLatitude(const TLocationRec& loc, int year, const EngineContext& ctx,
                      Trackers& trackers);

}  // namespace vek
