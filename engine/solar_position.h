// The sun of a given instant by the low-precision formulas of Meeus, "Astronomical Algorithms"
// (2nd ed., ch. 25; the equation of time from the apparent right ascension, formula 28.1): the
// formulas tools/make_solar_tables.py builds the daily tables from. Accurate to about 0.01
// degree, a few seconds of sunrise or sunset. The prayer-times engine takes the true sunrise and
// sunset of a date from it.
#pragma once

#include <optional>

namespace vek::solar {

// Days from J2000.0 (1 January 2000, 12 h) to 0 h UT of day dayOfYear (1 = 1 January) of a
// Gregorian year; a day past the end of the year counts on into the next.
double DaysFromJ2000(int year, int dayOfYear);

struct SunPosition {
  double SinDeclination = 0;
  double CosDeclination = 1;
  double EquationOfTime = 0;  // hours, apparent minus mean solar time
};

// The apparent sun at the given days from J2000.0 (universal time taken for dynamical time: the
// minute between them moves the sun by far less than the formulas resolve).
SunPosition LowPrecisionSun(double daysFromJ2000);

// The standard horizon: the sun's centre 0.8333 degrees (refraction and semi-diameter) below it.
inline constexpr double kStandardHorizonDegrees = -0.8333;

struct HorizonCrossings {
  std::optional<double> Rise;  // hours UT from the day's 0 h
  std::optional<double> Set;
};

// When the sun's centre crosses the standard horizon, rising and setting, on the day that begins
// at day0 (days from J2000.0 at 0 h UT): hours UT from day0. The sun is taken at each event's
// estimate (hours UT from day0), so that a result a few minutes from its estimate is exact to the
// formulas' accuracy. Nothing for an event when the sun stays above or below the horizon then.
// eastLongitudeHours is the longitude east of Greenwich in hours (15 degrees each).
HorizonCrossings StandardHorizonCrossings(double day0, double riseEstimateUt, double setEstimateUt,
                                          double sinLatitude, double cosLatitude,
                                          double eastLongitudeHours);

}  // namespace vek::solar
