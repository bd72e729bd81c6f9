#include "program/dialogs/hijri_adjust_model.h"

#include <algorithm>

#include "program/display_texts.h"

namespace vek {

std::vector<std::string> HijriAdjustEntries(double today, const NameLists& names, Language lang) {
  std::vector<std::string> entries;
  for (int adjust = kMinHijriAdjust; adjust <= kMaxHijriAdjust; ++adjust)
    entries.push_back(HijriDateCaption(today, names, lang, adjust));
  return entries;
}

int HijriAdjustEntryOf(int adjust) {
  return std::clamp(adjust, kMinHijriAdjust, kMaxHijriAdjust) - kMinHijriAdjust;
}

int HijriAdjustOfEntry(int entry, int current) {
  if (entry < 0 || entry > kMaxHijriAdjust - kMinHijriAdjust)
    return current;
  return entry + kMinHijriAdjust;
}

}  // namespace vek
