// A wall clock that shows the time a test sets.
#pragma once

#include "program/wall_clock.h"

namespace vek::testing {

class FakeWallClock : public WallClock {
 public:
  explicit FakeWallClock(double now = 0) : now(now) {}
  double Now() const override { return now; }
  double now;
};

}  // namespace vek::testing
