// Time for waits and retries. The program uses the system's monotonic clock; tests use a clock
// that only moves when a wait asks it to, so that no test waits for real seconds.
#pragma once

#include <chrono>

namespace vek {

class Clock {
 public:
  using Duration = std::chrono::steady_clock::duration;
  using TimePoint = std::chrono::steady_clock::time_point;

  virtual ~Clock() = default;
  virtual TimePoint Now() const = 0;
  // Lets time pass: sleeps in the program, advances the time in tests.
  virtual void Sleep(Duration d) = 0;
};

// The process's monotonic clock.
Clock& SystemClock();

}  // namespace vek
