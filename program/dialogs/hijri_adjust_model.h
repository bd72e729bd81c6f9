// What the Hijri adjustment dialog decides, without its form: the seven dates today can have
// (adjustments -3 to +3, each text made with its own adjustment, so that the user's setting and
// the Ramadan flag are untouched while the list is filled), the entry of the current
// adjustment, and the adjustment of a chosen entry.
#pragma once

#include <string>
#include <vector>

#include "foundation/language.h"
#include "program/settings.h"

namespace vek {

inline constexpr int kMinHijriAdjust = -3;
inline constexpr int kMaxHijriAdjust = 3;

// Entry i is today's Hijri date caption with adjustment i - 3.
std::vector<std::string> HijriAdjustEntries(double today, const NameLists& names, Language lang);
// The entry shown for an adjustment; one outside -3..+3 (a hand-edited VEK.INI) shows the
// nearest entry.
int HijriAdjustEntryOf(int adjust);
// The adjustment of a chosen entry; no entry (-1) or one outside the list keeps current.
int HijriAdjustOfEntry(int entry, int current);

}  // namespace vek
