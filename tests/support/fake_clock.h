// A clock that stands still until something sleeps on it.
#pragma once

#include "platform/clock.h"

namespace vek::testing {

class FakeClock : public Clock {
 public:
  TimePoint Now() const override { return now; }
  void Sleep(Duration d) override {
    now += d;
    slept += d;
  }

  TimePoint now{};
  Duration slept{};
};

}  // namespace vek::testing
