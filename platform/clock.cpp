#include "platform/clock.h"

#include <thread>

namespace vek {

namespace {

class SteadyClock final : public Clock {
 public:
  TimePoint Now() const override { return std::chrono::steady_clock::now(); }
  void Sleep(Duration d) override { std::this_thread::sleep_for(d); }
};

}  // namespace

Clock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

}  // namespace vek
