// The local date and time of the system, as the main window's clock reads it. Tests use a fake.
#pragma once

namespace vek {

class WallClock {
 public:
  virtual ~WallClock();
  // The local date-time as days since 30 December 1899; the fraction is the time of day, to the
  // millisecond.
  virtual double Now() const = 0;
};

// The system clock in the local time zone.
WallClock& SystemWallClock();

}  // namespace vek
