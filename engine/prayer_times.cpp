#include "engine/prayer_times.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "engine/calendar.h"
#include "engine/daylight_saving.h"
#include "engine/solar_tables.h"

namespace vek {

namespace {

using Real = long double;

constexpr Real kPi = std::numbers::pi_v<Real>;
constexpr Real kDegToRad = kPi / 180;
constexpr Real kRadToHours = 12 / kPi;
constexpr Real kTwilight = kPi / 10;           // 18 degrees
constexpr Real kImsakStep = 1.5L * kDegToRad;  // 19.5 degrees in all
constexpr Real kSunsetAllowance = 1.0L / 12;   // 5 minutes added to the half-day arc
constexpr int kConflictLimitMinutes = 8 * 60;
constexpr int kIshaBeforeFajrMinutes = 20;
constexpr int kMinutesPerDay = 24 * 60;
constexpr int kScanFirstDay = 121;
constexpr int kScanLastDay = 244;

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
      return 7.5L * std::round(stored / 7.5L);
    default:
      return stored;
  }
}

}  // namespace

long double SafeArcCos(long double x, UiServices* ui) {
  if (x > 1 || x < -1) {
    if (ui)
      ui->Beep();
    x = x > 1 ? 1 : -1;
  }
  return std::acos(x);
}

int HoursToMinuteOfDay(MinuteRounding mode, long double hours) {
  Real a = std::fmod(hours, Real{24});
  if (a < 0)
    a += 24;
  Real h = std::trunc(a);
  const Real m = (a - h) * 60;
  const Real r = std::nearbyint(m);  // halves to even
  Real minutes = r;
  if (mode == MinuteRounding::Up && m > r)
    minutes = r + 1;
  if (mode == MinuteRounding::Down && m < r)
    minutes = r - 1;
  if (minutes == 60) {
    h += 1;
    minutes = 0;
  }
  if (h > 23)
    h -= 24;
  return static_cast<int>(h) * 60 + static_cast<int>(minutes);
}

double HoursToTime(MinuteRounding mode, long double hours) {
  return HoursToMinuteOfDay(mode, hours) / static_cast<double>(kMinutesPerDay);
}

TDayTimesRec ComputeDayTimes(int dayOfYear, const TLocationRec& loc, const SafetyOffsets& safety,
                             bool isRamadan, Trackers* track, UiServices* ui) {
  using enum TFajrIshaMethod;
  const int d = std::clamp(dayOfYear, 1, solar::kTableDays);  // never read outside the tables
  const std::size_t row = static_cast<std::size_t>(d - 1);
  const TFajrIshaMethod method = loc.Method;

  const Real longitude = loc.LongDeg + loc.LongMin / Real{60};
  Real phi = (loc.LatDeg + loc.LatMin / Real{60}) * kDegToRad;
  if (!loc.North)
    phi = -phi;
  Real timeDiff = (ZoneMeridian(loc.St_Longitude) - longitude) / 15;
  if (loc.West)
    timeDiff = -timeDiff;

  const Real eot = solar::EquationOfTime[row] / Real{60};
  const Real delta = solar::SunDeclination[row] * kDegToRad;
  Real noon = 12 + eot + timeDiff;
  const Real s = std::sin(phi) * std::sin(delta);
  const Real c = std::cos(phi) * std::cos(delta);
  // -tan(phi) * tan(delta), from the products already at hand.
  const Real halfDay = kRadToHours * SafeArcCos(-s / c, ui) + kSunsetAllowance;
  if (InDaylightSaving(loc, d))
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
  const Real altitude = std::atan(1 / (t + k));
  const Real asr = noon + kRadToHours * SafeArcCos((std::sin(altitude) - s) / c, ui) + safety.Asr;

  int ishaMin = HoursToMinuteOfDay(MinuteRounding::Nearest, isha);
  int imsakMin, fajrMin;
  if (angleImsak && (method == Eastern || method == MiddleEastern)) {
    imsakMin = HoursToMinuteOfDay(MinuteRounding::Down, f195);
    fajrMin = HoursToMinuteOfDay(MinuteRounding::Down, f18);
  } else if (method == Eastern) {
    imsakMin = HoursToMinuteOfDay(MinuteRounding::Down, f18 - imsakDur);
    fajrMin = HoursToMinuteOfDay(MinuteRounding::Down, f18);
  } else {
    imsakMin = HoursToMinuteOfDay(MinuteRounding::Down, f195 - imsakDur);
    fajrMin = HoursToMinuteOfDay(MinuteRounding::Down, f195);
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

  const auto time = [](int minuteOfDay) { return minuteOfDay / double{kMinutesPerDay}; };
  return {time(imsakMin),
          time(fajrMin),
          HoursToTime(MinuteRounding::Nearest, shuruq),
          HoursToTime(MinuteRounding::Nearest, zuhr),
          HoursToTime(MinuteRounding::Nearest, asr),
          HoursToTime(MinuteRounding::Up, maghrib),
          time(ishaMin)};
}

TDayTimesRec ComputeDateTimes(double date, const TLocationRec& loc, const EngineContext& ctx) {
  return ComputeDayTimes(DayNumberOfYear(date), loc, ctx.Safety,
                         IsRamadanDate(date, ctx.HijriAdjust), nullptr, ctx.Ui);
}

void ScanHighLatitude(const TLocationRec& loc, int year, const EngineContext& ctx,
                      Trackers& trackers) {
  trackers.Reset();
  const double newYearsEve = EncodeDate(year, 1, 1) - 1;
  for (int d = kScanFirstDay; d <= kScanLastDay; ++d) {
    ComputeDayTimes(d, loc, ctx.Safety, IsRamadanDate(newYearsEve + d, ctx.HijriAdjust), &trackers,
                    ctx.Ui);
  }
}

}  // namespace vek
