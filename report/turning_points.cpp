#include "report/turning_points.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/daylight_saving.h"
#include "program/countdown.h"

namespace vek {

namespace {

constexpr int kGoingEarlier = 1;
constexpr int kGoingLater = 0;
constexpr int kFlat = 2;
constexpr int kMinutesPerDay = 24 * 60;
// The Saudi method's Isha interval in Ramadan, in minutes.
constexpr int kRamadanIshaMinutes = 120;

int FloorDiv(int a, int b) {
  int q = a / b;
  if (a % b != 0 && ((a < 0) != (b < 0)))
    --q;
  return q;
}

int FloorMod(int a, int b) {
  return ((a % b) + b) % b;
}

}  // namespace

namespace {

// The minutes each slot of a row is shifted by in the comparison: the saving hour, and the
// Saudi method's longer Isha interval in Ramadan.
struct RowShift {
  int All = 0;
  int Isha = 0;
};

RowShift ShiftOf(const KQItem& row, const TLocationRec& loc, int hijriAdjust) {
  RowShift shift;
  if (InDaylightSaving(loc, DayNumberOfYear(row.Date)))
    shift.All = 60;
  if (loc.Method == TFajrIshaMethod::Saudi && IsRamadanDate(row.Date, hijriAdjust))
    shift.Isha = kRamadanIshaMinutes -
                 static_cast<int>(std::lround(static_cast<double>(loc.IshaInterval) / 60.0));
  return shift;
}

int Compared(const KQItem& row, int slot, const RowShift& shift) {
  return MinuteOfDay(row.Times[static_cast<std::size_t>(slot)]) - shift.All -
         (slot == Isha ? shift.Isha : 0);
}

}  // namespace

int ComparedMinutes(const KQItem& row, int slot, const TLocationRec& loc, int hijriAdjust) {
  return Compared(row, slot, ShiftOf(row, loc, hijriAdjust));
}

void MarkTurningPoints(std::vector<KQItem>& rows, int slot, const std::vector<int>& values) {
  const int count = static_cast<int>(rows.size());
  if (count == 0 || static_cast<int>(values.size()) != count)
    return;
  const auto next = [count](int i) { return i + 1 == count ? 0 : i + 1; };
  // Times lie on the circle of the day: from one day to the next a time moves the shorter way
  // round, so that 23:57 followed by 00:00 is three minutes later, not a turn. Half a day either
  // way is taken as the minutes compare.
  const auto direction = [&](int i) {
    const int a = values[static_cast<std::size_t>(i)];
    const int b = values[static_cast<std::size_t>(next(i))];
    const int later = FloorMod(b - a, kMinutesPerDay);
    if (later == 0)
      return kFlat;
    if (later == kMinutesPerDay / 2)
      return a > b ? kGoingEarlier : kGoingLater;
    return later < kMinutesPerDay / 2 ? kGoingLater : kGoingEarlier;
  };
  // The middle of the flat stretch start+1 .. end (the later of two middle rows); a stretch
  // that crosses the seam from the last row to the first is counted across it.
  const auto mark = [&](int start, int end) {
    if (start > end)
      start -= count;
    const int row = FloorMod(FloorDiv(start + end, 2) + 1, count);
    rows[static_cast<std::size_t>(row)].Peaks[static_cast<std::size_t>(slot)] = 1;
  };

  // The first turn: past a flat beginning, then past the first direction. A column that never
  // changes has no turn; one that changes has both directions in its cycle.
  int i = 0;
  int steps = 0;
  while (direction(i) == kFlat) {
    if (++steps >= count)
      return;
    i = next(i);
  }
  const int initial = direction(i);
  while (direction(i) == kFlat || direction(i) == initial) {
    if (++steps >= 2 * count)
      return;
    i = next(i);
  }
  const int first = i;
  int d = direction(first);
  int start = first;
  for (int j = next(first); j != first; j = next(j)) {
    const int c = direction(j);
    if (c != kFlat && c != d) {
      mark(start, j);
      start = j;
      d = c;
    } else if (c == d) {
      start = j;
    }
  }
  mark(start, first);
}

void MarkAllTurningPoints(std::vector<KQItem>& rows, const TLocationRec& loc, int hijriAdjust) {
  std::vector<RowShift> shifts(rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r)
    shifts[r] = ShiftOf(rows[r], loc, hijriAdjust);
  std::vector<int> values(rows.size());
  for (int slot = Imsak; slot <= Isha; ++slot) {
    for (std::size_t r = 0; r < rows.size(); ++r)
      values[r] = Compared(rows[r], slot, shifts[r]);
    MarkTurningPoints(rows, slot, values);
  }
}

std::vector<KQItem> BuildPeaksList(const std::vector<KQItem>& rows, const TLocationRec& loc,
                                   bool withImsak, bool hijriMode, int hijriAdjust) {
  std::vector<KQItem> peaks;
  bool lastWasMarker = false;
  const auto addSignificant = [&](const KQItem& row) {
    if (lastWasMarker && !peaks.empty() && row.Date - peaks.back().Date < 5.0)
      peaks.pop_back();
    peaks.push_back(KQItem::CreateFrom(row));
    lastWasMarker = false;
  };
  const std::size_t last = rows.empty() ? 0 : rows.size() - 1;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const KQItem& row = rows[r];
    if (r == 0 || r == last) {
      addSignificant(row);
      continue;
    }
    if (loc.DST) {
      const int day = DayNumberOfYear(row.Date);
      if (day == loc.DstStart - 1 || day == loc.DstStart || day == loc.DstEnd ||
          day == loc.DstEnd + 1) {
        addSignificant(row);
        continue;
      }
    }
    bool turn = withImsak && row.Peaks[Imsak] != 0;
    for (int slot = Fajr; slot <= Isha && !turn; ++slot)
      turn = row.Peaks[static_cast<std::size_t>(slot)] != 0;
    if (turn) {
      addSignificant(row);
      continue;
    }
    const int dayOfMonth = DecodeCalendarDate(row.Date, hijriMode, hijriAdjust).day;
    if ((dayOfMonth == 1 || dayOfMonth == 15) && !peaks.empty() &&
        row.Date > peaks.back().Date + 5.0) {
      peaks.push_back(KQItem::CreateFrom(row));
      lastWasMarker = true;
    }
  }
  return peaks;
}

}  // namespace vek
