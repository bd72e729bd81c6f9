#include "engine/solar_position.h"

#include <cmath>
#include <numbers>

namespace vek::solar {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180;
constexpr double kRadToDeg = 180 / std::numbers::pi;
constexpr double kRadToHours = 12 / std::numbers::pi;

struct SinCos {
  double Sin;
  double Cos;
};

// Sine and cosine of an angle in degrees: reduced exactly to the nearest quarter turn, then the
// Taylor series on [-45, 45] degrees to the 11th and 12th power (error below 1e-11, far below
// what the formulas resolve); several times faster than the library's sincos, which the sun's
// position would call eight times a day.
SinCos SinCosDegrees(double degrees) {
  if (!(std::fabs(degrees) < 1e9)) {  // not finite or absurdly large: the library's reduction
    const double r = degrees * kDegToRad;
    return {std::sin(r), std::cos(r)};
  }
  const double quarterTurns = degrees * (1.0 / 90);
  const auto quarters = static_cast<long long>(quarterTurns + (quarterTurns < 0 ? -0.5 : 0.5));
  const double r = (degrees - 90.0 * static_cast<double>(quarters)) * kDegToRad;
  const double r2 = r * r;
  // Horner form with the coefficients 1/n! folded into constants.
  const double sin =
      r * (1 + r2 * (-1.0 / 6 +
                     r2 * (1.0 / 120 +
                           r2 * (-1.0 / 5040 + r2 * (1.0 / 362880 + r2 * (-1.0 / 39916800))))));
  const double cos =
      1 + r2 * (-1.0 / 2 +
                r2 * (1.0 / 24 +
                      r2 * (-1.0 / 720 +
                            r2 * (1.0 / 40320 + r2 * (-1.0 / 3628800 + r2 * (1.0 / 479001600))))));
  switch (quarters & 3) {
    case 0:
      return {sin, cos};
    case 1:
      return {cos, -sin};
    case 2:
      return {-sin, -cos};
    default:
      return {-cos, sin};
  }
}

// Sine and cosine of the obliquity of the ecliptic. It stays within a degree of 23.44 degrees
// for thousands of years around now: there, from the values at 23.44 degrees and the short
// series of the small difference (as accurate as SinCosDegrees).
SinCos SinCosObliquity(double degrees) {
  constexpr double kNear = 23.44;
  static const SinCos near = SinCosDegrees(kNear);
  const double d = (degrees - kNear) * kDegToRad;
  if (!(std::fabs(d) < 0.02))
    return SinCosDegrees(degrees);
  const double d2 = d * d;
  const double sinD = d * (1 + d2 * (-1.0 / 6 + d2 * (1.0 / 120)));
  const double cosD = 1 + d2 * (-1.0 / 2 + d2 * (1.0 / 24));
  return {near.Sin * cosD + near.Cos * sinD, near.Cos * cosD - near.Sin * sinD};
}

constexpr long long FloorDiv(long long a, long long b) {
  return a / b - (a % b < 0 ? 1 : 0);
}

// Days from 1 January of the year 1 to 1 January of year (proleptic Gregorian calendar).
constexpr long long DaysBeforeYear(long long year) {
  const long long y = year - 1;
  return 365 * y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400);
}

}  // namespace

double DaysFromJ2000(int year, int dayOfYear) {
  constexpr long long kYear2000 = DaysBeforeYear(2000);
  return static_cast<double>(DaysBeforeYear(year) - kYear2000 + dayOfYear - 1) - 0.5;
}

// LowPrecisionSun, inlined where both of a day's crossings are worked out together, so that the
// processor overlaps the two computations.
[[gnu::always_inline]] inline SunPosition Sun(double daysFromJ2000) {
  const double t = daysFromJ2000 * (1.0 / 36525);  // Julian centuries
  // Geometric mean longitude and mean anomaly (degrees).
  const double l0 = 280.46646 + t * (36000.76983 + t * 0.0003032);
  const SinCos m = SinCosDegrees(357.52911 + t * (35999.05029 - t * 0.0001537));
  const double sin2M = 2 * m.Sin * m.Cos;
  const double sin3M = m.Sin * (3 - 4 * m.Sin * m.Sin);
  // Equation of the centre, then the apparent longitude (nutation and aberration).
  const double c = (1.914602 - t * (0.004817 + t * 0.000014)) * m.Sin +
                   (0.019993 - t * 0.000101) * sin2M + 0.000289 * sin3M;
  const SinCos omega = SinCosDegrees(125.04 - 1934.136 * t);
  const double nutationLongitude = -0.00478 * omega.Sin;
  const SinCos lambda = SinCosDegrees(l0 + c - 0.00569 + nutationLongitude);
  // Obliquity of the ecliptic, corrected for nutation.
  const double eps0 =
      23.0 + 26.0 / 60 + (21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813))) * (1.0 / 3600);
  const SinCos eps = SinCosObliquity(eps0 + 0.00256 * omega.Cos);

  SunPosition sun;
  sun.SinDeclination = eps.Sin * lambda.Sin;
  sun.CosDeclination = std::sqrt(1 - sun.SinDeclination * sun.SinDeclination);
  // Longitude minus right ascension, lambda - alpha (tan alpha = cos eps tan lambda), by its
  // series in y = tan^2(eps/2); the terms left out are below 1e-10 radians.
  const double y = eps.Cos > -1 ? (1 - eps.Cos) / (1 + eps.Cos) : 0;  // -1 only in absurd years
  const double s2 = 2 * lambda.Sin * lambda.Cos;
  const double twoC2 = 2 * (lambda.Cos * lambda.Cos - lambda.Sin * lambda.Sin);
  const double s4 = twoC2 * s2;
  const double s6 = twoC2 * s4 - s2;
  const double s8 = twoC2 * s6 - s4;
  const double s10 = twoC2 * s8 - s6;
  const double s12 = twoC2 * s10 - s8;
  const double reduction =
      y * (s2 - y * (s4 * (1.0 / 2) -
                     y * (s6 * (1.0 / 3) -
                          y * (s8 * (1.0 / 4) - y * (s10 * (1.0 / 5) - y * s12 * (1.0 / 6))))));
  // Apparent minus mean solar time (Meeus 28.1: L0 - 0.0057183 - alpha + nutation * cos eps),
  // with alpha = lambda - reduction and lambda written out, so that no turn needs removing.
  const double e =
      reduction * kRadToDeg - c + 0.00569 - 0.0057183 - nutationLongitude * (1 - eps.Cos);
  sun.EquationOfTime = e * (1.0 / 15);
  return sun;
}

SunPosition LowPrecisionSun(double daysFromJ2000) {
  return Sun(daysFromJ2000);
}

HorizonCrossings StandardHorizonCrossings(double day0, double riseEstimateUt, double setEstimateUt,
                                          double sinLatitude, double cosLatitude,
                                          double eastLongitudeHours) {
  const double sinHorizon = std::sin(kStandardHorizonDegrees * kDegToRad);  // folded
  const SunPosition sun[2] = {Sun(day0 + riseEstimateUt * (1.0 / 24)),
                              Sun(day0 + setEstimateUt * (1.0 / 24))};
  std::optional<double> crossing[2];
  for (int i = 0; i < 2; ++i) {
    const double denominator = cosLatitude * sun[i].CosDeclination;
    if (denominator == 0)
      continue;  // a pole, or the sun over it
    const double cosHourAngle = (sinHorizon - sinLatitude * sun[i].SinDeclination) / denominator;
    if (!(cosHourAngle >= -1 && cosHourAngle <= 1))
      continue;  // the sun does not cross the horizon (or an input was not finite)
    const double hourAngle = kRadToHours * std::acos(cosHourAngle);
    // The sun is due south (apparent solar noon) at 12 h local apparent time.
    const double transit = 12 - eastLongitudeHours - sun[i].EquationOfTime;
    if (std::isfinite(transit))  // not so in absurd years
      crossing[i] = i == 0 ? transit - hourAngle : transit + hourAngle;
  }
  return {crossing[0], crossing[1]};
}

}  // namespace vek::solar
