// The turning points of a year's timetable: for each time column, the days on which the time
// stops getting earlier and starts getting later or the other way round (the middle day of a
// flat stretch), and the short peaks-only list built from them.
#pragma once

#include <vector>

#include "engine/day_record.h"
#include "locations/location_record.h"

namespace vek {

// The minutes of a slot on a row as the turning points compare them: the time's minute of the
// day without the daylight-saving hour (the engine's rule, so that the switch days are no turn)
// and, for the Saudi method's Isha on a day of Ramadan, without the Ramadan lengthening of its
// interval after sunset.
int ComparedMinutes(const KQItem& row, int slot, const TLocationRec& loc, int hijriAdjust);

// Marks the turning points of one slot in rows, whose compared minutes are values (one per
// row). The rows are one cycle: the last row is compared with the first. Minutes are compared on
// the circle of the day, the shorter way round, so that a time crossing midnight keeps its
// trend. A column without any change gets no mark.
void MarkTurningPoints(std::vector<KQItem>& rows, int slot, const std::vector<int>& values);

// Marks every slot, Imsak to Isha.
void MarkAllTurningPoints(std::vector<KQItem>& rows, const TLocationRec& loc, int hijriAdjust);

// The peaks-only list: the first and the last row, the days around the daylight-saving switches,
// every row with a turning point (Imsak's only with withImsak), and the 1st and 15th of a month
// (Hijri in Hijri mode) more than five days after the last row taken, unless the next row taken
// follows within five days.
std::vector<KQItem> BuildPeaksList(const std::vector<KQItem>& rows, const TLocationRec& loc,
                                   bool withImsak, bool hijriMode, int hijriAdjust);

}  // namespace vek
