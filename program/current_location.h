// The engine's computations for a location of the program's list: an item by its index, or the
// current location. The engine itself takes a record and never sees the list.
#pragma once

#include "engine/day_times.h"
#include "engine/prayer_times.h"
#include "engine/trackers.h"
#include "locations/location_list.h"

namespace vek {

// The list has a current location (CurrentIndex names an item).
bool HasCurrentLocation(const TLocations& list);

// Today's times for item locIndex of the list.
TDayTimesRec ComputeTodayTimes(const TLocations& list, int locIndex, double today,
                               const EngineContext& ctx);

// The times of a date for the list's current location (timetables, the year graph).
TDayTimesRec ComputeDayTimesForCurrent(const TLocations& list, double date,
                                       const EngineContext& ctx);

// ScanHighLatitude of the current location.
void ScanHighLatitudeForCurrent(const TLocations& list, int year, const EngineContext& ctx,
                                Trackers& trackers);

}  // namespace vek
