// A wait that keeps the program's windows alive: the busy cursor shows and pending events are
// handled until the time has passed. One unit is 0.00001 day, 0.864 seconds.
#pragma once

#include "foundation/ui_services.h"
#include "platform/clock.h"

namespace vek {

inline constexpr double kSecondsPerWaitUnit = 0.864;

void WaitWithHourglass(double units, UiServices& ui, Clock& clock);

}  // namespace vek
