#include "engine/daylight_saving.h"

namespace vek {

bool InDaylightSaving(const TLocationRec& loc, int dayOfYear) {
  if (!loc.DST)
    return false;
  const int start = loc.DstStart;
  const int end = loc.DstEnd;
  if (start < end)
    return start <= dayOfYear && dayOfYear <= end;
  return dayOfYear >= start || dayOfYear <= end;
}

}  // namespace vek
