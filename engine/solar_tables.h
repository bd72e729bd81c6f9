// Daily solar values of a leap year, read by the prayer-times engine by day of the year.
#pragma once

#include <array>

namespace vek::solar {

inline constexpr int kTableDays = 366;

// The sun's declination in degrees (positive north); element d-1 holds day of the year d.
extern const std::array<double, kTableDays> SunDeclination;

// The equation of time in minutes, mean time minus apparent time, so that apparent noon at the
// zone meridian is 12 h + value/60; element d-1 holds day of the year d.
extern const std::array<double, kTableDays> EquationOfTime;

}  // namespace vek::solar
