#include "program/dialogs/safety_times_model.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace vek {

namespace {

constexpr int kMaghribEntries = 6;
constexpr int kOtherEntries = 11;
constexpr int kNoDelayEntry = 5;  // of the lists that can advance a time

int EntryCount(SafetyList list) {
  return list == kMaghribSafety ? kMaghribEntries : kOtherEntries;
}

int FirstMinute(SafetyList list) {
  return list == kMaghribSafety ? 0 : -kNoDelayEntry;
}

}  // namespace

std::vector<std::string> SafetyEntries(SafetyList list, Language lang) {
  static const char* const kEnglish[kOtherEntries] = {
      "Before five minutes", "Before four minutes", "Before three minutes",
      "Before two minutes",  "Before one minute",   "No delay",
      "After one minute",    "After two minutes",   "After three minutes",
      "After four minutes",  "After five minutes"};
  static const char* const kArabic[kOtherEntries] = {
      "قبل خمس دقائق",   "قبل أربع دقائق", "قبل ثلاث دقائق",  "قبل دقيقتين",
      "قبل دقيقة واحدة", "بدون تأخير",     "بعد دقيقة واحدة", "بعد دقيقتين",
      "بعد ثلاث دقائق",  "بعد أربع دقائق", "بعد خمس دقائق"};
  const char* const* texts = lang == Language::Arabic ? kArabic : kEnglish;
  const int first = list == kMaghribSafety ? kNoDelayEntry : 0;
  return std::vector<std::string>(texts + first, texts + kOtherEntries);
}

int SafetyEntryOf(double hours, SafetyList list) {
  if (std::isnan(hours))
    hours = 0;
  // nearbyint rounds by the current mode, which is to nearest, halves to even.
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double minutes = std::nearbyint(hours * 60);
  std::fesetround(saved);
  const double entry = minutes - FirstMinute(list);
  return static_cast<int>(std::clamp<double>(entry, 0, EntryCount(list) - 1));
}

double SafetyOffsetOf(int entry, SafetyList list, double current) {
  if (entry < 0 || entry >= EntryCount(list))
    return current;
  return static_cast<double>(entry + FirstMinute(list)) / 60;
}

double& SafetyOffsetField(SafetyOffsets& offsets, SafetyList list) {
  switch (list) {
    case kFajrSafety:
      return offsets.Fajr;
    case kShuruqSafety:
      return offsets.Shuruq;
    case kZuhrSafety:
      return offsets.Zuhr;
    case kAsrSafety:
      return offsets.Asr;
    case kMaghribSafety:
      return offsets.Maghrib;
    case kIshaSafety:
      break;
  }
  return offsets.Isha;
}

std::array<int, kSafetyLists> SafetyEntriesOf(const SafetyOffsets& offsets) {
  SafetyOffsets copy = offsets;
  std::array<int, kSafetyLists> entries{};
  for (int i = 0; i < kSafetyLists; ++i) {
    const auto list = static_cast<SafetyList>(i);
    entries[i] = SafetyEntryOf(SafetyOffsetField(copy, list), list);
  }
  return entries;
}

void ApplySafetyEntries(const std::array<int, kSafetyLists>& entries, SafetyOffsets& offsets) {
  for (int i = 0; i < kSafetyLists; ++i) {
    const auto list = static_cast<SafetyList>(i);
    double& field = SafetyOffsetField(offsets, list);
    field = SafetyOffsetOf(entries[i], list, field);
  }
}

}  // namespace vek
