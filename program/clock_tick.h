// The main window's once-a-second clock step: decodes the local time, and tells when a new
// minute and a new day have begun, so that the countdown and the day's times follow them.
#pragma once

#include <cstdint>
#include <functional>

namespace vek {

class ClockTick {
 public:
  // What one tick handled.
  struct Changes {
    bool Minute = false;
    bool Day = false;
    bool operator==(const Changes&) const = default;
  };

  // One second of the clock; localNow is the local date-time (days since 30 December 1899).
  // A new minute is handled first, then a new day, both in the same tick at midnight (the
  // minute handler then still sees the previous day's state of the caller). Each handler runs
  // while LastMinute() / LastDay() still hold the values of the change handled before, and
  // they take the new values right after it. The very first tick handles both, even in the
  // first minute after midnight.
  Changes OnSecond(double localNow, const std::function<void()>& onMinuteChange = {},
                   const std::function<void()>& onDayChange = {});
  // Reads the local time without handling a change: the clock's time, NowMinute() and Today()
  // follow localNow, LastMinute() and LastDay() stay, and the next OnSecond handles what is new
  // (the first one both changes).
  void Read(double localNow);

  std::uint16_t ClockHour() const { return hour_; }
  std::uint16_t ClockMinute() const { return minute_; }
  std::uint16_t ClockSecond() const { return second_; }
  std::uint16_t PreviousClockHour() const { return previousHour_; }
  std::uint16_t PreviousClockMinute() const { return previousMinute_; }
  std::uint16_t PreviousClockSecond() const { return previousSecond_; }

  // The time of day cut to the whole minute (a fraction of a day).
  double NowMinute() const { return nowMinute_; }
  // The whole part of the current date.
  double Today() const { return today_; }
  // The values at the last handled change; 0 before the first.
  double LastMinute() const { return lastMinute_; }
  double LastDay() const { return lastDay_; }

 private:
  std::uint16_t hour_ = 0;
  std::uint16_t minute_ = 0;
  std::uint16_t second_ = 0;
  std::uint16_t previousHour_ = 0;
  std::uint16_t previousMinute_ = 0;
  std::uint16_t previousSecond_ = 0;
  double nowMinute_ = 0;
  double today_ = 0;
  double lastMinute_ = 0;
  double lastDay_ = 0;
  bool started_ = false;
};

}  // namespace vek
