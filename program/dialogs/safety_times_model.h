// What the safety-times dialog decides, without its form: the entries of the six lists (Fajr,
// Shuruq, Zuhr, Asr, Maghrib, Isha), the entry an offset shows, and the offset of a chosen
// entry. Offsets are hours; the lists show whole minutes, five before to five after, and
// Maghrib only none to five after, since Maghrib is never advanced.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/prayer_times.h"
#include "foundation/language.h"

namespace vek {

// The lists in the dialog's order.
enum SafetyList : int {
  kFajrSafety = 0,
  kShuruqSafety,
  kZuhrSafety,
  kAsrSafety,
  kMaghribSafety,
  kIshaSafety
};
inline constexpr int kSafetyLists = 6;

std::vector<std::string> SafetyEntries(SafetyList list, Language lang);

// The entry of an offset: its minutes rounded half to even, plus 5 (Maghrib: the minutes); an
// offset beyond the list (a hand-edited VEK.INI, a negative Maghrib) shows the nearest entry.
int SafetyEntryOf(double hours, SafetyList list);
// The offset of a chosen entry in hours: (entry - 5) / 60 (Maghrib: entry / 60). No entry (-1)
// or one outside the list keeps current.
double SafetyOffsetOf(int entry, SafetyList list, double current);

// The offset of a list in the settings, for reading and writing.
double& SafetyOffsetField(SafetyOffsets& offsets, SafetyList list);

// The entries the six lists show for the offsets, and the offsets after OK.
std::array<int, kSafetyLists> SafetyEntriesOf(const SafetyOffsets& offsets);
void ApplySafetyEntries(const std::array<int, kSafetyLists>& entries, SafetyOffsets& offsets);

}  // namespace vek
