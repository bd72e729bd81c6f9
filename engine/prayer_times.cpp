#include "engine/prayer_times.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "engine/calendar.h"
#include "engine/solar_position.h"
#include "engine/daylight_saving.h"
#include "engine/solar_tables.h"

namespace vek {

namespace {

using Real = double;

constexpr Real kPi = std::numbers::pi_v<Real>;
constexpr Real kDegToRad = kPi / 180;
constexpr Real kRadToHours = 12 / kPi;
constexpr Real kTwilight = kPi / 10;          // 18 degrees
constexpr Real kImsakStep = 1.5 * kDegToRad;  // 19.5 degrees in all
constexpr Real kSunsetAllowance = 1.0 / 12;   // 5 minutes added to the half-day arc
constexpr int kConflictLimitMinutes = 8 * 60;
constexpr int kIshaBeforeFajrMinutes = 20;
constexpr int kMinutesPerDay = 24 * 60;
constexpr int kScanFirstDay = 121;
constexpr int kScanLastDay = 244;
constexpr int kFirstYear = 1;    // the calendar's years; the horizon guard takes a year outside
constexpr int kLastYear = 9999;  // at the nearer end

// Half-hour zones are stored as the meridians 7.5 x k rounded to whole degrees (8, 22, ...,
// 172); they stand for the exact meridians, so that those zones' times are not two minutes off.
Real ZoneMeridian(std::uint8_t stored) {
  switch (stored) {
    case 8:
    case 22:
    case 38:
    case 52:
    case 68:
    case 82:
    case 98:
    case 112:
    case 128:
    case 142:
    case 158:
    case 172:
      return 7.5 * std::round(stored / 7.5);
    default:
      return stored;
  }
}

// A whole number of minutes (finite) as a minute of the day; fmod is exact for any size.
int WrapMinutes(Real minutes) {
  const Real wrapped = std::fmod(minutes, Real{kMinutesPerDay});
  return static_cast<int>(wrapped < 0 ? wrapped + kMinutesPerDay : wrapped);
}

// Sine and cosine of the tables' declinations, worked out once.
struct DeclinationTrig {
  std::array<Real, solar::kTableDays> Sin;
  std::array<Real, solar::kTableDays> Cos;
};

const DeclinationTrig& TableDeclinationTrig() {
  static const DeclinationTrig trig = [] {
    DeclinationTrig t;
    for (std::size_t i = 0; i < t.Sin.size(); ++i) {
      const Real delta = solar::SunDeclination[i] * kDegToRad;
      t.Sin[i] = std::sin(delta);
      t.Cos[i] = std::cos(delta);
    }
    return t;
  }();
  return trig;
}

// HoursToMinuteOfDay with the rounding fixed at compile time.
template <MinuteRounding mode>
int MinuteOfDay(double hours) {
  if (!std::isfinite(hours))
    return 0;  // no time of day: midnight
  // hours modulo 24; the two common cases without the division (both exact, as fmod is).
  Real a = hours;
  if (a >= 24 && a < 48)
    a -= 24;
  else if (!(a >= -24 && a < 24))
    a = std::fmod(a, Real{24});
  if (a < 0)
    a += 24;
  int h = static_cast<int>(a);  // a is in [0, 24]: its integer part
  const Real m = (a - h) * 60;
  // m (in [0, 60)) to the nearest whole number, halves to even: adding 2^52 leaves no bits for
  // the fraction and the default rounding mode rounds it so.
  constexpr Real kRoundingBias = 0x1p52;
  const Real r = (m + kRoundingBias) - kRoundingBias;
  int minutes = static_cast<int>(r);
  if constexpr (mode == MinuteRounding::Up) {
    if (m > r)
      ++minutes;
  }
  if constexpr (mode == MinuteRounding::Down) {
    if (m < r)
      --minutes;
  }
  if (minutes == 60) {
    ++h;
    minutes = 0;
  }
  if (h > 23)
    h -= 24;
  return h * 60 + minutes;
}

}  // namespace

double SafeArcCos(double x, UiServices* ui) {
  if (x > 1 || x < -1) {
    if (ui)
      ui->Beep();
    x = x > 1 ? 1 : -1;
  }
  return std::acos(x);
}

int HoursToMinuteOfDay(MinuteRounding mode, double hours) {
  switch (mode) {
    case MinuteRounding::Up:
      return MinuteOfDay<MinuteRounding::Up>(hours);
    case MinuteRounding::Down:
      return MinuteOfDay<MinuteRounding::Down>(hours);
    default:
      return MinuteOfDay<MinuteRounding::Nearest>(hours);
  }
}

double HoursToTime(MinuteRounding mode, double hours) {
  return HoursToMinuteOfDay(mode, hours) / static_cast<double>(kMinutesPerDay);
}

TDayTimesRec ComputeDayTimes(int year, int dayOfYear, const TLocationRec& loc,
                             const SafetyOffsets& safety, bool isRamadan, Trackers* track,
                             UiServices* ui) {
  using enum TFajrIshaMethod;
  const int d = std::clamp(dayOfYear, 1, solar::kTableDays);  // never read outside the tables
  const std::size_t row = static_cast<std::size_t>(d - 1);
  const TFajrIshaMethod method = loc.Method;

  const Real longitude = loc.LongDeg + loc.LongMin / Real{60};
  Real phi = (loc.LatDeg + loc.LatMin / Real{60}) * kDegToRad;
  if (!loc.North)
    phi = -phi;
  const Real zoneMeridian = ZoneMeridian(loc.St_Longitude);
  Real timeDiff = (zoneMeridian - longitude) / 15;
  if (loc.West)
    timeDiff = -timeDiff;

  const Real eot = solar::EquationOfTime[row] / Real{60};
  const Real delta = solar::SunDeclination[row] * kDegToRad;
  Real noon = 12 + eot + timeDiff;
  const Real sinPhi = std::sin(phi), cosPhi = std::cos(phi);
  const DeclinationTrig& trig = TableDeclinationTrig();
  const Real s = sinPhi * trig.Sin[row];
  const Real c = cosPhi * trig.Cos[row];
  // -tan(phi) * tan(delta), from the products already at hand.
  const Real halfDay = kRadToHours * SafeArcCos(-s / c, ui) + kSunsetAllowance;
  const bool daylightSaving = InDaylightSaving(loc, d);
  if (daylightSaving)
    noon += 1;

  Real fajrIv = 0, ishaIv = 0;
  if (method == FixedTime) {
    fajrIv = loc.FajrInterval / Real{3600};
    ishaIv = loc.IshaInterval / Real{3600};
  } else if (method == Saudi) {
    ishaIv = isRamadan ? 2 : loc.IshaInterval / Real{3600};
  }
  const Real zuhrDelay = loc.ZuhrDelayOn ? loc.ZuhrDelay / Real{3600} : 0;
  const bool angleImsak = !loc.ImsakFixedDuration;
  const Real imsakDur = loc.ImsakFixedDuration ? loc.ImsakDuration / Real{3600} : 0;
  const Real fajrOwn = kPi * (loc.FajrAngle / Real{60}) / 180;
  const Real ishaOwn = kPi * (loc.IshaAngle / Real{60}) / 180;

  // Hour angle of a twilight depression; a depression the sun never reaches is taken at solar
  // midnight and recorded in the given trackers.
  const auto twilight = [&](Real depression, Tracker* first, Tracker* second) {
    Real x = (-std::sin(depression) - s) / c;
    if (x < -1) {
      x = -1;
      if (track) {
        if (first)
          first->Record(d);
        if (second)
          second->Record(d);
      }
    }
    return kRadToHours * SafeArcCos(x, ui);
  };
  Tracker* fajrSat = track ? &track->FajrSaturation : nullptr;
  Tracker* ishaSat = track ? &track->IshaSaturation : nullptr;

  Real f195 = 0, f18 = 0, ishaArc = 0;
  if (method == MiddleEastern || angleImsak) {
    f195 = noon - twilight(kTwilight + kImsakStep, fajrSat, nullptr) + safety.Fajr;
  }
  if (method == Eastern || method == MiddleEastern || angleImsak) {
    const Real h18 = twilight(kTwilight, fajrSat, ishaSat);
    f18 = noon - h18 + safety.Fajr;
    ishaArc = h18;
  }
  if (method == YourMethod) {
    f195 = noon - twilight(kTwilight + fajrOwn, fajrSat, nullptr) + safety.Fajr;
    ishaArc = twilight(kTwilight + ishaOwn, ishaSat, nullptr);
  }
  if (method == Saudi) {
    f195 = noon - twilight(kTwilight + fajrOwn, fajrSat, nullptr) + safety.Fajr;
  }

  Real isha;
  if (method == FixedTime) {
    f195 = noon + safety.Fajr - halfDay - fajrIv;
    isha = noon + halfDay + ishaIv + safety.Isha;
  } else if (method == Saudi) {
    isha = noon + halfDay + ishaIv + safety.Isha;
  } else {
    isha = noon + ishaArc + safety.Isha;
  }

  const Real shuruq = noon - halfDay + safety.Shuruq;
  const Real zuhr = noon + zuhrDelay + safety.Zuhr;
  const Real maghrib = noon + halfDay + safety.Maghrib;

  // Asr: the sun's altitude when a shadow is k times the object plus its noon shadow.
  const Real t = std::tan(std::fabs(phi - delta));
  const Real k = loc.Hanafi ? 2 : 1;
  const Real cotAltitude = t + k;  // zero only for a latitude beyond the poles
  const Real altitude = cotAltitude != 0 ? std::atan(1 / cotAltitude) : kPi / 2;
  const Real asr = noon + kRadToHours * SafeArcCos((std::sin(altitude) - s) / c, ui) + safety.Asr;

  int ishaMin = MinuteOfDay<MinuteRounding::Nearest>(isha);
  int imsakMin, fajrMin;
  if (angleImsak && (method == Eastern || method == MiddleEastern)) {
    imsakMin = MinuteOfDay<MinuteRounding::Down>(f195);
    fajrMin = MinuteOfDay<MinuteRounding::Down>(f18);
  } else if (method == Eastern) {
    imsakMin = MinuteOfDay<MinuteRounding::Down>(f18 - imsakDur);
    fajrMin = MinuteOfDay<MinuteRounding::Down>(f18);
  } else {
    imsakMin = MinuteOfDay<MinuteRounding::Down>(f195 - imsakDur);
    fajrMin = MinuteOfDay<MinuteRounding::Down>(f195);
  }

  // Isha and Fajr collide: Isha goes to 20 minutes before Fajr (the evening before when Fajr is
  // earlier than 00:20).
  const int gap = std::abs(fajrMin - ishaMin);
  if ((gap > kConflictLimitMinutes && ishaMin + kIshaBeforeFajrMinutes < fajrMin) ||
      (gap <= kConflictLimitMinutes && ishaMin + kIshaBeforeFajrMinutes > fajrMin)) {
    ishaMin = (fajrMin - kIshaBeforeFajrMinutes + kMinutesPerDay) % kMinutesPerDay;
    if (track)
      track->IshaFajrConflict.Record(d);
  }

  // Horizon guard, the last step: Maghrib is never before the true sunset of the date and
  // Shuruq never after its true sunrise (the sun's centre 0.8333 degrees below the horizon, from
  // the sun of the date itself rather than the tables' row). The tables' sun and the fixed
  // allowance alone put Maghrib minutes early at higher latitudes. The guard's minute is rounded
  // away from the wrong side; on days the sun does not rise or set there is no guard.
  int shuruqMin = MinuteOfDay<MinuteRounding::Nearest>(shuruq);
  int maghribMin = MinuteOfDay<MinuteRounding::Up>(maghrib);
  const Real east = loc.West ? -1 : 1;
  const Real clockMinusUt = east * zoneMeridian / 15 + (daylightSaving ? 1 : 0);
  const Real day0 = solar::DaysFromJ2000(std::clamp(year, kFirstYear, kLastYear), d);
  const solar::HorizonCrossings truth = solar::StandardHorizonCrossings(
      day0, noon - halfDay - clockMinusUt, noon + halfDay - clockMinusUt, sinPhi, cosPhi,
      east * longitude / 15);
  if (truth.Set) {
    const Real minute = std::ceil((*truth.Set + clockMinusUt) * 60);
    if (minute > std::ceil(maghrib * 60))
      maghribMin = WrapMinutes(minute);
  }
  if (truth.Rise) {
    const Real minute = std::floor((*truth.Rise + clockMinusUt) * 60);
    if (minute < std::nearbyint(shuruq * 60))
      shuruqMin = WrapMinutes(minute);
  }

  const auto time = [](int minuteOfDay) { return minuteOfDay / double{kMinutesPerDay}; };
  return {time(imsakMin),
          time(fajrMin),
          time(shuruqMin),
          time(MinuteOfDay<MinuteRounding::Nearest>(zuhr)),
          time(MinuteOfDay<MinuteRounding::Nearest>(asr)),
          time(maghribMin),
          time(ishaMin)};
}

TDayTimesRec ComputeDateTimes(double date, const TLocationRec& loc, const EngineContext& ctx) {
  const CivilDate civil = DecodeDate(date);
  return ComputeDayTimes(civil.Year, DayNumberOfYear(civil), loc, ctx.Safety,
                         IsRamadanDate(date, ctx.HijriAdjust), nullptr, ctx.Ui);
}

void ScanHighLatitude(const TLocationRec& loc, int year, const EngineContext& ctx,
                      Trackers& trackers) {
  trackers.Reset();
  const double newYearsEve = EncodeDate(year, 1, 1) - 1;
  for (int d = kScanFirstDay; d <= kScanLastDay; ++d) {
    ComputeDayTimes(year, d, loc, ctx.Safety, IsRamadanDate(newYearsEve + d, ctx.HijriAdjust),
                    &trackers, ctx.Ui);
  }
}

}  // namespace vek
