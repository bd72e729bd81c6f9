#include "foundation/busy_wait.h"

#include <algorithm>

namespace vek {

void WaitWithHourglass(double units, UiServices& ui, Clock& clock) {
  using std::chrono::duration;
  using std::chrono::duration_cast;
  // Events are handled at least this often while waiting.
  constexpr Clock::Duration kSlice = std::chrono::milliseconds(20);
  const auto length = duration_cast<Clock::Duration>(duration<double>(units * kSecondsPerWaitUnit));
  ui.SetBusyCursor(true);
  const Clock::TimePoint start = clock.Now();
  for (;;) {
    ui.ProcessEvents();
    const Clock::Duration passed = clock.Now() - start;
    if (passed >= length)
      break;
    clock.Sleep(std::min(kSlice, length - passed));
  }
  ui.SetBusyCursor(false);
}

}  // namespace vek
