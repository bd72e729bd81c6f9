#include "program/clock_tick.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "program/wall_clock.h"

namespace vek {
namespace {

double At(double date, int h, int m, double s) {
  return date + (h * 3600 + m * 60 + s) / 86400.0;
}

// Runs one tick and records the handlers in order, with what each saw.
struct TickRecorder {
  ClockTick tick;
  std::vector<std::string> calls;

  ClockTick::Changes Tick(double now) {
    return tick.OnSecond(
        now,
        [&] {
          calls.push_back("minute last=" + std::to_string(std::lround(tick.LastMinute() * 1440)) +
                          " day=" + std::to_string(static_cast<long long>(tick.LastDay())));
        },
        [&] {
          calls.push_back("day last=" + std::to_string(static_cast<long long>(tick.LastDay())) +
                          " today=" + std::to_string(static_cast<long long>(tick.Today())));
        });
  }
};

TEST(ClockTick, FirstTickHandlesBothThenOnlyNewMinutes) {
  const double date = EncodeDate(2024, 3, 10);
  TickRecorder r;
  EXPECT_EQ((ClockTick::Changes{true, true}), r.Tick(At(date, 10, 15, 30.2)));
  EXPECT_EQ(10, r.tick.ClockHour());
  EXPECT_EQ(15, r.tick.ClockMinute());
  EXPECT_EQ(30, r.tick.ClockSecond());
  EXPECT_EQ(date, r.tick.Today());
  EXPECT_DOUBLE_EQ((10 * 60 + 15) / 1440.0, r.tick.NowMinute());

  EXPECT_EQ((ClockTick::Changes{false, false}), r.Tick(At(date, 10, 15, 59.9)));
  EXPECT_EQ(30, r.tick.PreviousClockSecond());
  EXPECT_EQ(59, r.tick.ClockSecond());

  EXPECT_EQ((ClockTick::Changes{true, false}), r.Tick(At(date, 10, 16, 0.1)));
  EXPECT_EQ(
      (std::vector<std::string>{
          "minute last=0 day=0", "day last=0 today=" + std::to_string(static_cast<long long>(date)),
          "minute last=615 day=" + std::to_string(static_cast<long long>(date))}),
      r.calls);
}

TEST(ClockTick, MidnightRunsTheMinuteThenTheDay) {
  const double date = EncodeDate(2024, 3, 10);
  const std::string day = std::to_string(static_cast<long long>(date));
  const std::string next = std::to_string(static_cast<long long>(date) + 1);
  TickRecorder r;
  r.Tick(At(date, 23, 59, 59));
  r.calls.clear();
  // 23:59:59.9996 rounds to the next midnight: the day moves with the time of day.
  EXPECT_EQ((ClockTick::Changes{true, true}), r.Tick(At(date, 23, 59, 59.9996)));
  EXPECT_EQ(0, r.tick.ClockHour());
  EXPECT_EQ(0, r.tick.ClockMinute());
  EXPECT_EQ(date + 1, r.tick.Today());
  EXPECT_EQ((std::vector<std::string>{"minute last=1439 day=" + day,
                                      "day last=" + day + " today=" + next}),
            r.calls);
  EXPECT_EQ((ClockTick::Changes{false, false}), r.Tick(At(date + 1, 0, 0, 1)));
  EXPECT_EQ(date + 1, r.tick.LastDay());
  EXPECT_EQ(0.0, r.tick.LastMinute());
}

TEST(ClockTick, StartInTheFirstMinuteAfterMidnightStillHandlesTheMinute) {
  ClockTick tick;
  EXPECT_EQ((ClockTick::Changes{true, true}), tick.OnSecond(At(EncodeDate(2024, 1, 1), 0, 0, 20)));
  EXPECT_EQ((ClockTick::Changes{false, false}),
            tick.OnSecond(At(EncodeDate(2024, 1, 1), 0, 0, 21)));
}

TEST(SystemWallClock, ReadsTheLocalDateAndTime) {
  const auto local = [](std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return At(EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), tm.tm_hour, tm.tm_min,
              tm.tm_sec);
  };
  // The same clock the program reads: std::time() may run on a coarser clock that lags
  // system_clock by a few milliseconds across a second's edge.
  const auto wholeSeconds = [] {
    return std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::system_clock::now()));
  };
  const std::time_t before = wholeSeconds();
  const double now = SystemWallClock().Now();
  const std::time_t after = wholeSeconds();
  const double second = 1.0 / 86400;
  EXPECT_GE(now, local(before) - second / 1000);
  EXPECT_LT(now, local(after) + second);
}

}  // namespace
}  // namespace vek
