#include "program/clock_tick.h"

#include <cmath>

namespace vek {

namespace {

constexpr long long kMsPerDay = 24LL * 60 * 60 * 1000;

long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  if (a % b != 0 && (a < 0) != (b < 0))
    --q;
  return q;
}

}  // namespace

void ClockTick::Read(double localNow) {
  previousHour_ = hour_;
  previousMinute_ = minute_;
  previousSecond_ = second_;

  // Rounded to the millisecond as a whole, so that the day and the time of day agree when the
  // rounding reaches midnight.
  const long long ms =
      std::isfinite(localNow) ? std::llround(localNow * static_cast<double>(kMsPerDay)) : 0;
  const long long day = FloorDiv(ms, kMsPerDay);
  const long long msOfDay = ms - day * kMsPerDay;
  const long long secondOfDay = msOfDay / 1000;
  hour_ = static_cast<std::uint16_t>(secondOfDay / 3600);
  minute_ = static_cast<std::uint16_t>(secondOfDay / 60 % 60);
  second_ = static_cast<std::uint16_t>(secondOfDay % 60);

  nowMinute_ = (hour_ * 60 + minute_) / 1440.0;
  today_ = static_cast<double>(day);
}

ClockTick::Changes ClockTick::OnSecond(double localNow, const std::function<void()>& onMinuteChange,
                                       const std::function<void()>& onDayChange) {
  Read(localNow);

  // The first tick must not take a start at 00:00 (NowMinute 0, like the initial LastMinute)
  // for an unchanged minute.
  const bool first = !started_;
  started_ = true;
  Changes changes;
  if (first || nowMinute_ != lastMinute_) {
    changes.Minute = true;
    if (onMinuteChange)
      onMinuteChange();
    lastMinute_ = nowMinute_;
  }
  if (first || today_ != lastDay_) {
    changes.Day = true;
    if (onDayChange)
      onDayChange();
    lastDay_ = today_;
  }
  return changes;
}

}  // namespace vek
