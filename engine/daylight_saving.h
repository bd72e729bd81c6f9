// The daylight-saving rule of a location: on which days of the year its clocks are one hour
// ahead. The engine adds the hour by it, and every text and mark of the program that speaks of
// saving time asks the same rule.
#pragma once

#include "locations/location_record.h"

namespace vek {

// True when the location keeps daylight-saving time and dayOfYear (1..366) lies in its period.
// A period whose start day is after its end day runs across the new year (the southern
// hemisphere); a start day equal to the end day is the whole year.
bool InDaylightSaving(const TLocationRec& loc, int dayOfYear);

}  // namespace vek
