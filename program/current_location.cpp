#include "program/current_location.h"

namespace vek {

bool HasCurrentLocation(const TLocations& list) {
  return list.CurrentIndex >= 0 && list.CurrentIndex < list.Count();
}

TDayTimesRec ComputeTodayTimes(const TLocations& list, int locIndex, double today,
                               const EngineContext& ctx) {
  return ComputeDateTimes(today, list.GetItem(locIndex).Rec, ctx);
}

TDayTimesRec ComputeDayTimesForCurrent(const TLocations& list, double date,
                                       const EngineContext& ctx) {
  return ComputeDateTimes(date, list.Current().Rec, ctx);
}

void ScanHighLatitudeForCurrent(const TLocations& list, int year, const EngineContext& ctx,
                                Trackers& trackers) {
  ScanHighLatitude(list.Current().Rec, year, ctx, trackers);
}

}  // namespace vek
