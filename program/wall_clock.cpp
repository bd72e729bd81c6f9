#include "program/wall_clock.h"

#include <chrono>
#include <ctime>

#include "engine/calendar.h"

namespace vek {

namespace {

class SystemWallClockImpl final : public WallClock {
 public:
  double Now() const override {
    using namespace std::chrono;
    const auto now = time_point_cast<milliseconds>(system_clock::now());
    const auto seconds = time_point_cast<std::chrono::seconds>(now);
    auto ms = (now - seconds).count();
    std::time_t t = system_clock::to_time_t(seconds);
    if (ms < 0) {  // a clock before 1970: keep the milliseconds within their second
      ms += 1000;
      --t;
    }
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr)
      return 0;
    const double date = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    // A leap second (tm_sec 60) counts as the last second of its minute.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    const long long msOfDay =
        ((local.tm_hour * 60LL + local.tm_min) * 60 + second) * 1000 + static_cast<long long>(ms);
    return date + static_cast<double>(msOfDay) / 86400000.0;
  }
};

}  // namespace

WallClock::~WallClock() = default;

WallClock& SystemWallClock() {
  static SystemWallClockImpl clock;
  return clock;
}

}  // namespace vek
