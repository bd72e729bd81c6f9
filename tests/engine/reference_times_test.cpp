// A year of times computed from the shipped VEK.LOC against libitl, an independent prayer-times
// library (VSOP87 solar positions), for the cities the location file must hold. The UTC offsets
// come from the IANA time-zone database, not from the records, so the records' zone meridians and
// daylight-saving days are checked along with the engine. Shuruq is never after libitl's
// sunrise, and Maghrib never before its sunset (the engine's horizon guard).
#include <gtest/gtest.h>
#include <itl/prayer.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/prayer_times.h"
#include "locations/location_file.h"
#include "support/locations_fixture.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

constexpr int kYear = 2026;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// libitl adds its estimate of Delta T to the Julian day from which it also takes the sidereal
// time, so every time it gives is early by that estimate (in sidereal seconds). After 2017 the
// estimate is 102 + 102 t + 25.3 t^2 + 0.37 (year - 2100) s, t = (year - 2000) / 100: 102.85 s for
// 2026. (Greenwich apparent noon of 15 January 2026 is 12:09:24 UT; libitl gives 12:07:40.)
constexpr double kItlT = (kYear - 2000) / 100.0;
constexpr double kItlDeltaT = 102 + 102 * kItlT + 25.3 * kItlT * kItlT + 0.37 * (kYear - 2100);
constexpr double kItlEarlyHours = kItlDeltaT * 1.00273791 / 3600;

// The engine's tables hold the sun of the leap year 1992 (declination at 0 h UT, equation of time
// at 12 h UT), read by day of the year. Day d of 2026 comes 12419 days after day d of 1992, 0.766
// days more than 34 tropical years, so the tables show the sun 0.77 days before the same hour of
// 2026. libitl takes the day's declination at 0 h and its equation of time at noon of the local
// time it is given (Z hours from UT), so the engine follows libitl's sun kTableLagDays - Z/24 days
// late: up to 2 minutes at these cities, and up to 8 minutes for twilight in London's summer. The
// reference therefore steps libitl's time back by that lag along its own series of days, to the
// second order (central differences).
constexpr double kTableLagDays = 0.77;

// What remains after the lag step, in every slot: the rows are rounded to 1e-8, ten reference rows
// and the four extremes are written into the tables as given (a few seconds), the eccentricity
// part of the equation of time repeats with the anomalistic year and lags only 0.17 days (up to
// 5 s), libitl gives whole seconds. The shipped cities stay within 13 s.
constexpr double kSlackMinutes = 15.0 / 60;

constexpr double kAllowanceHours = 5.0 / 60;  // added to the half-day arc by the engine

// The engine's horizon guard takes the true sunrise and sunset from the low-precision solar
// formulas of Meeus (about 0.01 degree) for the standard horizon (the sun's centre 0.8333
// degrees below it). libitl's own sunrise comes 1.5 to 6 s earlier and its sunset 0.5 to 4.5 s
// later at these cities, as if its horizon were about 0.013 degrees lower (its refraction is
// worked out for 1010 hPa and 10 degrees C). Shuruq may therefore be up to that much after
// libitl's sunrise and Maghrib that much before its sunset, no more.
constexpr double kHorizonSlackMinutes = 10.0 / 60;
constexpr double kRamadanIshaHours = 2;      // Saudi method while it is Ramadan
constexpr int kImsakBeforeFajrMinutes = 10;  // the shipped records' fixed Imsak

// The March equinox of 2026 (20 March, 14:46 UT). libitl interpolates the right ascension over
// three days and, when the first of them is before the wrap through 0 h and the second after it,
// takes the first as 0 instead of subtracting 360 degrees, which puts all of that day's times up
// to 40 s early. That is the day whose local 0 h is the first after the equinox; its reference is
// the mean of its neighbours'.
constexpr std::chrono::sys_seconds kMarchEquinox{
    std::chrono::sys_days{std::chrono::year{kYear} / 3 / 20} + std::chrono::hours{14} +
    std::chrono::minutes{46}};

struct CityCase {
  const char* City;
  const char* Country;
  const char* State;
  const char* Zone;  // IANA time zone
  // A zone that changed its rules during the year has records that follow the rules in force
  // since then (month and day of kYear); the days before are history the record cannot hold.
  int RulesFromMonth = 1;
  int RulesFromDay = 1;
};

constexpr CityCase kCities[] = {
    {"MAKKAH", "SAUDI ARABIA", "", "Asia/Riyadh"},
    {"MADINAH", "SAUDI ARABIA", "", "Asia/Riyadh"},
    {"JEDDAH", "SAUDI ARABIA", "", "Asia/Riyadh"},
    {"RIYADH", "SAUDI ARABIA", "", "Asia/Riyadh"},
    {"CAIRO", "EGYPT", "", "Africa/Cairo"},
    {"ISTANBUL", "TURKEY", "", "Europe/Istanbul"},
    {"JAKARTA", "INDONESIA", "", "Asia/Jakarta"},
    {"KARACHI", "PAKISTAN", "", "Asia/Karachi"},
    {"LAHORE", "PAKISTAN", "", "Asia/Karachi"},
    {"DHAKA", "BANGLADESH", "", "Asia/Dhaka"},
    {"KUALA LUMPUR", "MALAYSIA", "", "Asia/Kuala_Lumpur"},
    {"TEHRAN", "IRAN", "", "Asia/Tehran"},
    {"CASABLANCA", "MOROCCO", "", "Africa/Casablanca", 9, 20},  // permanent +00 since then
    {"ALGIERS", "ALGERIA", "", "Africa/Algiers"},
    {"TUNIS", "TUNISIA", "", "Africa/Tunis"},
    {"AMMAN", "JORDAN", "", "Asia/Amman"},
    {"DAMASCUS", "SYRIA", "", "Asia/Damascus"},
    {"BAGHDAD", "IRAQ", "", "Asia/Baghdad"},
    {"KUWAIT", "KUWAIT", "", "Asia/Kuwait"},
    {"DOHA", "QATAR", "", "Asia/Qatar"},
    {"DUBAI", "UAE", "", "Asia/Dubai"},
    {"MUSCAT", "OMAN", "", "Asia/Muscat"},
    {"SANAA", "YEMEN", "", "Asia/Aden"},
    {"KHARTOUM", "SUDAN", "", "Africa/Khartoum"},
    {"LONDON", "UNITED KINGDOM", "", "Europe/London"},
    {"PARIS", "FRANCE", "", "Europe/Paris"},
    {"NEW YORK", "USA", "NY", "America/New_York"},
    {"CHICAGO", "USA", "IL", "America/Chicago"},
    {"TORONTO", "CANADA", "", "America/Toronto"},
    {"SYDNEY", "AUSTRALIA", "", "Australia/Sydney"},
};

constexpr const char* kSlotNames[kPrayerSlots] = {"Imsak", "Fajr",    "Shuruq", "Zuhr",
                                                  "Asr",   "Maghrib", "Isha"};
constexpr TPrayerSlot kComparedSlots[] = {Fajr, Shuruq, Zuhr, Asr, Maghrib, Isha};

// TZ set for the lifetime of the object, then restored.
class ZoneScope {
 public:
  explicit ZoneScope(const std::string& zone) {
    if (const char* old = std::getenv("TZ")) {
      hadOld_ = true;
      old_ = old;
    }
    ::setenv("TZ", zone.c_str(), 1);
    ::tzset();
  }
  ZoneScope(const ZoneScope&) = delete;
  ZoneScope& operator=(const ZoneScope&) = delete;
  ~ZoneScope() {
    if (hadOld_)
      ::setenv("TZ", old_.c_str(), 1);
    else
      ::unsetenv("TZ");
    ::tzset();
  }

 private:
  bool hadOld_ = false;
  std::string old_;
};

std::time_t UtcMidnight(const CivilDate& d) {
  using namespace std::chrono;
  return system_clock::to_time_t(
      sys_days{year{d.Year} / static_cast<unsigned>(d.Month) / static_cast<unsigned>(d.Day)});
}

double OffsetHoursAt(std::time_t t) {
  std::tm local{};
  ::localtime_r(&t, &local);
  return local.tm_gmtoff / 3600.0;
}

double OffsetHoursAtLocalNoon(const CivilDate& d) {
  std::tm noon{};
  noon.tm_year = d.Year - 1900;
  noon.tm_mon = d.Month - 1;
  noon.tm_mday = d.Day;
  noon.tm_hour = 12;
  noon.tm_isdst = -1;
  return OffsetHoursAt(std::mktime(&noon));
}

// x reduced to (-half, half].
double Centered(double x, double period) {
  const double r = std::remainder(x, period);
  return r == -period / 2 ? period / 2 : r;
}

std::string Clock(double hours) {
  const long s = std::lround(std::fmod(std::fmod(hours, 24) + 24, 24) * 3600) % 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

std::string DateText(const CivilDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.Year, d.Month, d.Day);
  return text;
}

// libitl's input for a record: its own coordinates, the same angles and Asr shadow, no rounding,
// no high-latitude rule, sea level.
struct ItlInput {
  ::Location Loc{};
  ::Method Angles{};
  bool IshaByInterval = false;  // Saudi method: Isha at a fixed delay after Maghrib
};

bool MakeItlInput(const TLocationRec& rec, double gmtDiff, ItlInput& in) {
  in.Loc.degreeLat = (rec.North ? 1 : -1) * (rec.LatDeg + rec.LatMin / 60.0);
  in.Loc.degreeLong = (rec.West ? -1 : 1) * (rec.LongDeg + rec.LongMin / 60.0);
  in.Loc.gmtDiff = gmtDiff;
  in.Loc.dst = 0;
  in.Loc.seaLevel = 0;
  in.Loc.pressure = 1010;
  in.Loc.temperature = 10;
  ::getMethod(0, &in.Angles);
  in.Angles.round = 0;
  in.Angles.extreme = 0;
  in.Angles.offset = 0;
  in.Angles.fajrInv = in.Angles.ishaaInv = in.Angles.imsaakInv = 0;
  in.Angles.mathhab = rec.Hanafi ? 2 : 1;
  switch (rec.Method) {
    case TFajrIshaMethod::Eastern:
      in.Angles.fajrAng = in.Angles.ishaaAng = 18;
      return true;
    case TFajrIshaMethod::YourMethod:
      in.Angles.fajrAng = 18 + rec.FajrAngle / 60.0;
      in.Angles.ishaaAng = 18 + rec.IshaAngle / 60.0;
      return true;
    case TFajrIshaMethod::Saudi:
      in.Angles.fajrAng = 18 + rec.FajrAngle / 60.0;
      in.Angles.ishaaAng = 0;
      in.IshaByInterval = true;
      return true;
    default:
      return false;  // the shipped cities use no other method
  }
}

// libitl's times of one date in hours UT from 0 h UT of the date (NaN where it has none), its
// delta-T error removed. Shuruq and Maghrib are the rise and set of the sun's centre without
// refraction (a 0-degree depression), which the engine's 5-minute allowance is added to.
struct ItlDay {
  std::array<double, kPrayerSlots> Ut{};
  double RefractedRise = 0, RefractedSet = 0;  // libitl's own sunrise and sunset
};

ItlDay ComputeItlDay(const ItlInput& in, const CivilDate& d) {
  ::Date date{d.Day, d.Month, d.Year};
  ::Prayer p[6], centre[6];
  ::getPrayerTimes(&in.Loc, &in.Angles, &date, p);
  ::Method zero = in.Angles;
  zero.fajrAng = zero.ishaaAng = 0;
  ::getPrayerTimes(&in.Loc, &zero, &date, centre);
  const auto ut = [&](const ::Prayer& x) {
    if (x.hour == 99)
      return kNaN;
    return x.hour + x.minute / 60.0 + x.second / 3600.0 - in.Loc.gmtDiff + kItlEarlyHours;
  };
  ItlDay day;
  day.Ut[Imsak] = kNaN;
  day.Ut[Fajr] = ut(p[0]);
  day.Ut[Shuruq] = ut(centre[0]);
  day.Ut[Zuhr] = ut(p[2]);
  day.Ut[Asr] = ut(p[3]);
  day.Ut[Maghrib] = ut(centre[5]);
  day.Ut[Isha] = in.IshaByInterval ? kNaN : ut(p[5]);
  day.RefractedRise = ut(p[1]);
  day.RefractedSet = ut(p[4]);
  return day;
}

struct Range {
  double Min = std::numeric_limits<double>::infinity();
  double Max = -std::numeric_limits<double>::infinity();
  void Add(double x) {
    Min = std::min(Min, x);
    Max = std::max(Max, x);
  }
};

struct Report {
  std::vector<std::string> Failures;  // the first few, in full
  int FailureCount = 0;
  std::set<int> FailingDays;  // days of the year
  std::array<int, kPrayerSlots> FailingDaysPerSlot{};
  std::array<Range, kPrayerSlots> Raw;        // engine - libitl, minutes, before the table lag
  std::array<double, kPrayerSlots> Excess{};  // beyond rounding after the lag, minutes
  // Engine minus libitl's sunrise (Shuruq) and sunset (Maghrib), minutes: Shuruq is never
  // after the sunrise, Maghrib never before the sunset.
  std::array<Range, kPrayerSlots> Horizon;
  Range Refraction;     // libitl's sunrise before the centre's rise, its sunset after the set, min
  int Skipped = 0;      // slot-days without a libitl time
  int BeforeRules = 0;  // days before a zone's current rules took effect
  int BeforeClockChange = 0;  // times before their day's clock change

  void Fail(int dayOfYear, TPrayerSlot slot, const std::string& text) {
    if (Failures.size() < 25)
      Failures.push_back(text);
    ++FailureCount;
    FailingDays.insert(dayOfYear);
    ++FailingDaysPerSlot[slot];
  }
};

// Compares the engine's times at engineRec with libitl's at rec, every day of kYear, in the IANA
// zone of c. The two records differ only where a test puts a fault into the engine's.
void CompareYear(const CityCase& c, const TLocationRec& rec, const TLocationRec& engineRec,
                 Report& report) {
  const ZoneScope zone(c.Zone);
  const double first = EncodeDate(kYear, 1, 1);
  const int days = static_cast<int>(EncodeDate(kYear + 1, 1, 1) - first);
  // libitl is given one offset all year, so that its days follow on smoothly across clock
  // changes; the day's own offset is applied afterwards.
  const double fixedOffset = OffsetHoursAtLocalNoon(DecodeDate(first));
  ItlInput in;
  if (!MakeItlInput(rec, fixedOffset, in)) {
    report.Fail(0, Imsak, std::string(c.City) + ": method without a libitl counterpart");
    return;
  }
  // Days -1 .. days: the neighbours of the first and last day are needed for the lag.
  std::vector<ItlDay> itl;
  for (int i = -1; i <= days; ++i)
    itl.push_back(ComputeItlDay(in, DecodeDate(first + i)));
  const auto localMidnight = [&](int i) {
    return std::chrono::system_clock::from_time_t(UtcMidnight(DecodeDate(first + i))) -
           std::chrono::seconds{std::lround(fixedOffset * 3600)};
  };
  for (int i = 0; i < days; ++i) {
    if (localMidnight(i - 1) < kMarchEquinox && kMarchEquinox <= localMidnight(i)) {
      ItlDay& day = itl[static_cast<std::size_t>(i + 1)];
      const ItlDay& before = itl[static_cast<std::size_t>(i)];
      const ItlDay& after = itl[static_cast<std::size_t>(i + 2)];
      const auto mean = [](double x, double y) { return x + Centered(y - x, 24) / 2; };
      for (const TPrayerSlot s : kComparedSlots)
        day.Ut[s] = mean(before.Ut[s], after.Ut[s]);
      day.RefractedRise = mean(before.RefractedRise, after.RefractedRise);
      day.RefractedSet = mean(before.RefractedSet, after.RefractedSet);
    }
  }

  const double lag = kTableLagDays - fixedOffset / 24;
  const double rulesFrom = EncodeDate(kYear, c.RulesFromMonth, c.RulesFromDay);
  for (int i = 0; i < days; ++i) {
    const double date = first + i;
    if (date < rulesFrom) {
      ++report.BeforeRules;
      continue;
    }
    const CivilDate civil = DecodeDate(date);
    const int dayOfYear = DayNumberOfYear(date);
    const TDayTimesRec times = ComputeDateTimes(date, engineRec, EngineContext{});
    std::array<int, kPrayerSlots> minute{};
    for (int s = 0; s < kPrayerSlots; ++s)
      minute[s] = static_cast<int>(std::lround(times[s] * 1440));
    const std::string where = std::string(c.City) + " " + DateText(civil) + " ";

    // The shipped records have a fixed Imsak, 10 minutes before Fajr to the minute.
    if (minute[Imsak] != (minute[Fajr] - kImsakBeforeFajrMinutes + 1440) % 1440)
      report.Fail(dayOfYear, Imsak,
                  where + "Imsak: engine " + Clock(minute[Imsak] / 60.0) + ", Fajr " +
                      Clock(minute[Fajr] / 60.0) + " - 10 min expected");

    const double noonOffset = OffsetHoursAtLocalNoon(civil);
    const double ishaDelay = IsRamadanDate(date, 0) ? kRamadanIshaHours : rec.IshaInterval / 3600.0;
    const ItlDay& before = itl[static_cast<std::size_t>(i)];
    const ItlDay& today = itl[static_cast<std::size_t>(i + 1)];
    const ItlDay& after = itl[static_cast<std::size_t>(i + 2)];
    for (const TPrayerSlot slot : kComparedSlots) {
      // Isha of the Saudi method follows Maghrib's libitl series.
      const TPrayerSlot series = (slot == Isha && in.IshaByInterval) ? Maghrib : slot;
      const double u = today.Ut[series];
      const double back = u + Centered(before.Ut[series] - u, 24);
      const double ahead = u + Centered(after.Ut[series] - u, 24);
      if (std::isnan(back) || std::isnan(u) || std::isnan(ahead)) {
        // The depression is never reached that night or the next or previous one (London's
        // summer): no reference for the day or for the lag step.
        ++report.Skipped;
        if (slot != Fajr && slot != Isha)
          report.Fail(dayOfYear, slot, where + kSlotNames[slot] + ": libitl has no time");
        continue;
      }
      double shift = 0;  // hours from libitl's event to the engine's
      if (slot == Shuruq)
        shift = -kAllowanceHours;
      if (slot == Maghrib)
        shift = kAllowanceHours;
      if (slot == Isha && in.IshaByInterval)
        shift = kAllowanceHours + ishaDelay;
      const double rate = (ahead - back) / 2;  // hours per day
      const double curvature = ahead - 2 * u + back;
      const double ut = u - rate * lag + curvature * lag * lag / 2 + shift;
      const double local = ut + noonOffset;  // the engine gives a day its noon offset
      if (OffsetHoursAt(UtcMidnight(civil) + std::lround(ut * 3600)) != noonOffset)
        ++report.BeforeClockChange;

      // Engine minus reference, in minutes, lies in the slot's rounding interval:
      //   Fajr     -1..0     rounded down
      //   Shuruq   -0.5..0.5 to the nearest minute; the reference is the rise of the sun's centre
      //                      without refraction less the 5-minute allowance, so the allowance is
      //                      checked to the second (libitl's own sunrise, the refracted upper limb,
      //                      comes 3 to 8 minutes before that rise at these cities)
      //   Zuhr     -0.5..0.5 to the nearest minute
      //   Asr      -0.5..0.5 to the nearest minute
      //   Maghrib  0..1      rounded up; the centre's set plus the allowance, as for Shuruq
      //   Isha     -0.5..0.5 to the nearest minute; Saudi method: Maghrib's reference plus the
      //                      record's delay (2 h on the engine's Ramadan days)
      // widened on both sides by kSlackMinutes and by the size of the lag step's second-order
      // term, as the error of a step over three days can be as large near the end of twilight.
      double low = -0.5, high = 0.5;
      if (slot == Fajr)
        low = -1, high = 0;
      if (slot == Maghrib)
        low = 0, high = 1;
      const double tolerance = kSlackMinutes + std::fabs(curvature) * 60 * lag * lag / 2;
      const double diff = Centered(minute[slot] - local * 60, 1440);
      const double rawDiff = Centered(minute[slot] - (u + shift + noonOffset) * 60, 1440);
      report.Raw[slot].Add(rawDiff);
      double lowAllowed = low - tolerance, highAllowed = high + tolerance;
      if (slot == Shuruq || slot == Maghrib) {
        // The horizon guard: Shuruq := min(Shuruq, sunrise rounded down), Maghrib := max(Maghrib,
        // sunset rounded up), with libitl's sunrise and sunset of the date itself (no table lag).
        const double horizon =
            (slot == Shuruq ? today.RefractedRise : today.RefractedSet) + noonOffset;
        const double fromHorizon = Centered(minute[slot] - horizon * 60, 1440);
        report.Horizon[slot].Add(fromHorizon);
        if (slot == Shuruq ? fromHorizon > kHorizonSlackMinutes
                           : fromHorizon < -kHorizonSlackMinutes) {
          char text[200];
          std::snprintf(text, sizeof text, "%s: engine %s, libitl's %s %s", kSlotNames[slot],
                        Clock(minute[slot] / 60.0).c_str(), slot == Shuruq ? "sunrise" : "sunset",
                        Clock(horizon).c_str());
          report.Fail(dayOfYear, slot, where + text);
        }
        // The result is the earlier (Shuruq) or later (Maghrib) of the two rounded values, each
        // within its own tolerance; relative to the reference, the guard's value is at g.
        const double g = Centered(horizon * 60 - local * 60, 1440);
        if (slot == Shuruq) {
          report.Excess[slot] = std::max(
              {report.Excess[slot], std::min(low, g - 1) - diff, diff - std::min(high, g)});
          lowAllowed = std::min(low - tolerance, g - 1 - kHorizonSlackMinutes);
          highAllowed = std::min(high + tolerance, g + kHorizonSlackMinutes);
        } else {
          report.Excess[slot] = std::max(
              {report.Excess[slot], std::max(low, g) - diff, diff - std::max(high, g + 1)});
          lowAllowed = std::max(low - tolerance, g - kHorizonSlackMinutes);
          highAllowed = std::max(high + tolerance, g + 1 + kHorizonSlackMinutes);
        }
      } else {
        report.Excess[slot] = std::max({report.Excess[slot], low - diff, diff - high});
      }
      if (diff < lowAllowed || diff > highAllowed) {
        char text[240];
        std::snprintf(text, sizeof text,
                      "%s: engine %s, reference %s (libitl's day %s), engine minus reference "
                      "%+.2f min, allowed %+.2f..%+.2f",
                      kSlotNames[slot], Clock(minute[slot] / 60.0).c_str(), Clock(local).c_str(),
                      Clock(u + shift + noonOffset).c_str(), diff, lowAllowed, highAllowed);
        report.Fail(dayOfYear, slot, where + text);
      }
    }
    report.Refraction.Add((today.Ut[Shuruq] - today.RefractedRise) * 60);
    report.Refraction.Add((today.RefractedSet - today.Ut[Maghrib]) * 60);
  }
}

const TLocations& ShippedLocations() {
  static const TLocations list = [] {
    TLocations l;
    testing::LoadShippedLocations(l);
    return l;
  }();
  return list;
}

const TLocationRec* Shipped(const CityCase& c) {
  const TLocations& list = ShippedLocations();
  const int index = list.Find(c.City, c.Country, c.State);
  return index < 0 ? nullptr : &list.GetItem(index).Rec;
}

bool ZoneInstalled(const CityCase& c) {
  const char* dir = std::getenv("TZDIR");
  return fs::exists(fs::path(dir ? dir : "/usr/share/zoneinfo") / c.Zone);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

TEST(ReferenceTimes, ShippedCitiesAgreeWithLibitlAllYear) {
  Report report;
  for (const CityCase& c : kCities) {
    // Without its zone file the C library would silently use UTC.
    ASSERT_TRUE(ZoneInstalled(c)) << c.Zone << " (package tzdata)";
    const TLocationRec* rec = Shipped(c);
    ASSERT_NE(nullptr, rec) << c.City << " " << c.Country;
    ASSERT_TRUE(rec->ImsakFixedDuration && rec->ImsakDuration == kImsakBeforeFajrMinutes * 60)
        << c.City;
    CompareYear(c, *rec, *rec, report);
  }
  EXPECT_EQ(0, report.FailureCount) << Joined(report.Failures);

  // One line for judging the tolerances: the worst raw differences, what is left past the
  // rounding once the table lag is stepped back, and the refraction the allowance stands for.
  std::string summary = "engine - libitl, min (Shuruq/Maghrib: centre's rise - 5 min/set + 5 min):";
  char text[256];
  for (const TPrayerSlot s : kComparedSlots) {
    std::snprintf(text, sizeof text, " %s %+.2f..%+.2f;", kSlotNames[s], report.Raw[s].Min,
                  report.Raw[s].Max);
    summary += text;
  }
  summary += " past the rounding after the table lag, s:";
  for (const TPrayerSlot s : kComparedSlots) {
    std::snprintf(text, sizeof text, " %s %.0f;", kSlotNames[s], report.Excess[s] * 60);
    summary += text;
  }
  std::snprintf(text, sizeof text,
                " Shuruq - libitl's sunrise %+.2f..%+.2f min, Maghrib - libitl's sunset "
                "%+.2f..%+.2f min;",
                report.Horizon[Shuruq].Min, report.Horizon[Shuruq].Max, report.Horizon[Maghrib].Min,
                report.Horizon[Maghrib].Max);
  summary += text;
  std::snprintf(text, sizeof text,
                " libitl's refraction and semi-diameter %.2f..%.2f min; %d slot-days without a "
                "libitl time; %d times before their day's clock change; %d days before a zone's "
                "current rules",
                report.Refraction.Min, report.Refraction.Max, report.Skipped,
                report.BeforeClockChange, report.BeforeRules);
  summary += text;
  std::printf("%s\n", summary.c_str());
  ::testing::Test::RecordProperty("worst_differences", summary);
}

// The comparison is tight enough to see the faults a record or the engine could have.
TEST(ReferenceTimes, SeesFaultsOfARecord) {
  const CityCase& cairo = *std::find_if(std::begin(kCities), std::end(kCities), [](const auto& c) {
    return std::string(c.City) == "CAIRO";
  });
  const TLocationRec* shipped = Shipped(cairo);
  ASSERT_NE(nullptr, shipped);
  ASSERT_TRUE(shipped->DST && !shipped->Hanafi && shipped->DstStart < shipped->DstEnd);
  const int dstDays = shipped->DstEnd - shipped->DstStart + 1;

  struct Case {
    const char* name;
    void (*mutate)(TLocationRec&);
    TPrayerSlot slot;  // a slot that must fail on every failing day
    int failingDays;
  } cases[] = {
      {"Hanafi Asr", [](TLocationRec& r) { r.Hanafi = true; }, Asr, 365},
      {"west instead of east", [](TLocationRec& r) { r.West = true; }, Zuhr, 365},
      {"zone meridian 1 degree east", [](TLocationRec& r) { ++r.St_Longitude; }, Zuhr, 365},
      {"longitude 30 minutes east", [](TLocationRec& r) { r.LongMin += 30; }, Zuhr, 365},
      {"daylight saving a day late", [](TLocationRec& r) { ++r.DstStart; }, Zuhr, 1},
      {"no daylight saving", [](TLocationRec& r) { r.DST = false; }, Zuhr, dstDays},
      {"Fajr angle 0.5 degree low", [](TLocationRec& r) { r.FajrAngle -= 30; }, Fajr, 365},
  };
  for (const Case& k : cases) {
    TLocationRec rec = *shipped;
    k.mutate(rec);
    Report report;
    CompareYear(cairo, *shipped, rec, report);
    EXPECT_EQ(k.failingDays, static_cast<int>(report.FailingDays.size())) << k.name;
    EXPECT_EQ(k.failingDays, report.FailingDaysPerSlot[k.slot]) << k.name;
  }
}

}  // namespace
}  // namespace vek
