#include "locations/location_fields.h"

#include <algorithm>
#include <array>

#include "foundation/cp1256.h"
#include "foundation/text.h"

namespace vek {

namespace {

using F = ChangeLocationField;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
  });
}

const char* const kDegree180 = "Enter value between 0 and 180 degree please.";
const char* const kDegree180Ar = "يرجى إدخال قيمة بين الصفر و 180 درجة";
const char* const kMinuts59 = "Enter value between 0 and 59 minuts please.";
const char* const kMinutes59Ar = "يرجى إدخال قيمة بين الصفر و 59 دقيقة";
const char* const kHours2 = "Enter value between 0 and 2 Hours please.";
const char* const kHours2Ar = "يرجى إدخال قيمة بين صفر و 2 ساعة";
const char* const kDays31 = "Enter value between 1 and 31 days please.";
const char* const kDays31Ar = "يرجى إدخال قيمة بين يوم و 31 يوماً";
const char* const kMonths12 = "Enter value between 1 and 12 months please.";
const char* const kMonths12Ar = "يرجى إدخال قيمة بين شهر و 12 شهراً";
const char* const kAngle = "Enter value between 15 and 20 degree please.";
const char* const kAngleAr = "يرجى إدخال قيمة بين 15 و 20 درجة";

// In the order of ChangeLocationField.
const std::array<ChangeLocationFieldRule, kChangeLocationFieldCount> kRules = {{
    {0, 180, true, 3, kDegree180, kDegree180Ar},  // LongDeg
    {0, 59, true, 2, kMinuts59, kMinutes59Ar},    // LongMin
    {0, 180, true, 3, kDegree180, kDegree180Ar},  // St_LongDeg
    {0, 65, true, 2,
     "Enter value between 0 and 65 degree please, Calculations meaningful only up to 61 degree.",
     "يرجى إدخال قيمة بين الصفر و 65 درجة، القيم التي هي دون 61 درجة تعطي دقة أكبر في "
     "الحسابات"},                               // LatDeg
    {0, 59, true, 3, kMinuts59, kMinutes59Ar},  // LatMin
    {1, 31, false, 2, kDays31, kDays31Ar},      // DaySavingFrom
    {1, 12, false, 2, kMonths12, kMonths12Ar},  // MonthSavingFrom
    {1, 31, false, 2, kDays31, kDays31Ar},      // DaySavingTo
    {1, 12, false, 2, kMonths12, kMonths12Ar},  // MonthSavingTo
    {0, 2, true, 2, kHours2, kHours2Ar},        // FajrOffsetH
    {0, 59, true, 2, "Enter value between 0 and 59 minutes please.", kMinutes59Ar},  // FajrOffsetM
    {0, 2, true, 2, kHours2, kHours2Ar},                                             // IshaOffsetH
    {0, 59, true, 2, kMinuts59, kMinutes59Ar},                                       // IshaOffsetM
    {15, 20, false, 2, kAngle, kAngleAr},       // FajrInclinationD
    {0, 59, true, 2, kMinuts59, kMinutes59Ar},  // FajrInclinationM
    {15, 20, false, 2, kAngle, kAngleAr},       // IshaInclinationD
    {0, 59, true, 2, kMinuts59, kMinutes59Ar},  // IshaInclinationM
    {0, 1, true, 2, "Enter value between 0 and 1 hour please.",
     "يرجى إدخال قيمة بين الصفر و 1 ساعة"},     // AfricanDelayH
    {0, 59, true, 2, kMinuts59, kMinutes59Ar},  // AfricanDelayM
    {0, 30, true, 2, "Enter value between 0 and 30 minuts please.",
     "يرجى إدخال قيمة بين الصفر و 30 دقيقة"},  // ImsakDurationM
    {0, 59, true, 2, "Enter value between 0 and 59 seconds please.",
     "يرجى إدخال قيمة بين الصفر و 59 ثانية"},  // ImsakDurationS
}};

// ---- the record check

LocationRecProblem Problem(const std::string& english, const std::string& arabic) {
  return {english, arabic};
}

LocationRecProblem OutOfRange(const std::string& field, long long value, long long lowest,
                              long long highest) {
  const std::string v = std::to_string(value), lo = std::to_string(lowest),
                    hi = std::to_string(highest);
  return Problem(field + " is " + v + ", not within " + lo + " to " + hi,
                 "قيمة " + field + " هي " + v + "، وليست بين " + lo + " و " + hi);
}

// A value in the units of the record against the range that a pair of edits allows: the larger
// unit (worth majorUnit) within its rule, and nothing of the smaller one at the larger's maximum.
std::optional<LocationRecProblem> CheckPair(const char* field, long long value, F major,
                                            long long majorUnit, F minor, long long minorUnit,
                                            long long offset = 0) {
  const long long lowest = FieldRule(major).min * majorUnit + FieldRule(minor).min * minorUnit;
  const long long highest = FieldRule(major).max * majorUnit;
  const long long shown = value + offset;
  if (shown < lowest || shown > highest)
    return OutOfRange(field, value, lowest - offset, highest - offset);
  return std::nullopt;
}

std::optional<LocationRecProblem> CheckByte(const char* field, int value, F rule) {
  if (value < FieldRule(rule).min || value > FieldRule(rule).max)
    return OutOfRange(field, value, FieldRule(rule).min, FieldRule(rule).max);
  return std::nullopt;
}

std::optional<LocationRecProblem> CheckName(const char* field, const std::string& name,
                                            bool mayBeEmpty) {
  if (mayBeEmpty && name.empty())
    return std::nullopt;
  const NewName clean = CleanNewName(name);
  if (clean.Status == NewNameStatus::Ok && !clean.Cut && clean.Name == name)
    return std::nullopt;
  if (clean.Status == NewNameStatus::NotCp1256)
    return Problem(std::string(field) + " holds a character a name may not have",
                   "يحوي " + std::string(field) + " حرفاً لا يجوز في اسم");
  return Problem(std::string(field) + " is empty, blank or has blanks around it",
                 std::string(field) + " فارغ أو مؤلف من مسافات أو تحيط به مسافات");
}

// The numbers of the record, from the top of the change-location form down, as the dialog
// validates them on Accept.
std::optional<LocationRecProblem> CheckNumbers(const TLocationRec& r) {
  if (auto p = CheckByte("LongDeg", r.LongDeg, F::LongDeg))
    return p;
  if (auto p = CheckByte("LongMin", r.LongMin, F::LongMin))
    return p;
  if (r.LongDeg == FieldRule(F::LongDeg).max && r.LongMin != 0)
    return OutOfRange("LongMin", r.LongMin, 0, 0);
  if (auto p = CheckByte("LatDeg", r.LatDeg, F::LatDeg))
    return p;
  if (auto p = CheckByte("LatMin", r.LatMin, F::LatMin))
    return p;
  if (auto p = CheckByte("St_Longitude", r.St_Longitude, F::St_LongDeg))
    return p;
  if (r.DST) {
    if (r.DstStart < 1 || r.DstStart > kDaysOfCommonYear)
      return OutOfRange("DstStart", r.DstStart, 1, kDaysOfCommonYear);
    if (r.DstEnd < 1 || r.DstEnd > kDaysOfCommonYear)
      return OutOfRange("DstEnd", r.DstEnd, 1, kDaysOfCommonYear);
  }
  const int method = static_cast<int>(r.Method);
  constexpr int kLastMethod = static_cast<int>(TFajrIshaMethod::Saudi);
  if (method > kLastMethod)
    return OutOfRange("Method", method, 0, kLastMethod);
  // An angle is kept as arc-minutes above 18 degrees: the form's degrees and minutes less 1080.
  constexpr long long kAngleOffset = 1080;
  const auto interval = [](const char* field, std::int32_t value, F hours, F minutes) {
    return CheckPair(field, value, hours, 3600, minutes, 60);
  };
  const auto angle = [](const char* field, std::int32_t value, F degrees, F minutes) {
    return CheckPair(field, value, degrees, 60, minutes, 1, kAngleOffset);
  };
  std::optional<LocationRecProblem> p;
  switch (r.Method) {
    case TFajrIshaMethod::FixedTime:
      if (!(p = interval("FajrInterval", r.FajrInterval, F::FajrOffsetH, F::FajrOffsetM)))
        p = interval("IshaInterval", r.IshaInterval, F::IshaOffsetH, F::IshaOffsetM);
      break;
    case TFajrIshaMethod::Saudi:
      if (!(p = angle("FajrAngle", r.FajrAngle, F::FajrInclinationD, F::FajrInclinationM)))
        p = interval("IshaInterval", r.IshaInterval, F::IshaOffsetH, F::IshaOffsetM);
      break;
    default:
      if (!(p = angle("FajrAngle", r.FajrAngle, F::FajrInclinationD, F::FajrInclinationM)))
        p = angle("IshaAngle", r.IshaAngle, F::IshaInclinationD, F::IshaInclinationM);
      break;
  }
  if (p)
    return p;
  if (auto q = interval("ZuhrDelay", r.ZuhrDelay, F::AfricanDelayH, F::AfricanDelayM))
    return q;
  return CheckPair("ImsakDuration", r.ImsakDuration, F::ImsakDurationM, 60, F::ImsakDurationS, 1);
}

}  // namespace

NewName CleanNewName(std::string_view typed) {
  NewName result;
  if (typed.empty())
    return result;
  const std::string_view trimmed = TrimBlanks(typed);
  if (trimmed.empty()) {
    result.Status = NewNameStatus::Blank;
    return result;
  }
  if (!FitsCp1256(trimmed) || HasControlCharacter(trimmed)) {
    result.Status = NewNameStatus::NotCp1256;
    return result;
  }
  // City and Country have the same width in the record.
  static_assert(kCityChars == kCountryChars);
  const std::string cut = TruncateCodePoints(trimmed, kCityChars);
  result.Status = NewNameStatus::Ok;
  result.Cut = cut.size() < trimmed.size();
  result.Name = std::string(TrimBlanks(cut));
  return result;
}

const ChangeLocationFieldRule& FieldRule(ChangeLocationField field) {
  return kRules[static_cast<std::size_t>(field)];
}

std::string RangeMessage(ChangeLocationField field, Language lang) {
  const ChangeLocationFieldRule& rule = FieldRule(field);
  return lang == Language::Arabic ? rule.arabic : rule.english;
}

DegreesMinutes AngleToForm(std::int32_t angle) {
  return {(angle + 180) / 60 + 15, (angle + 180) % 60};
}

std::int32_t FormToAngle(int degrees, int minutes) {
  return degrees * 60 + minutes - 1080;
}

std::optional<LocationRecProblem> CheckLocationRec(
    std::span<const std::uint8_t, kLocationRecSize> bytes) {
  struct NameField {
    const char* field;
    std::size_t at;
    std::size_t chars;
  };
  for (const NameField& n :
       {NameField{"City", kCityAt, kCityChars}, NameField{"State", kStateAt, kStateChars},
        NameField{"Country", kCountryAt, kCountryChars}}) {
    if (bytes[n.at] > n.chars)
      return OutOfRange(std::string(n.field) + "'s length", bytes[n.at], 0,
                        static_cast<long long>(n.chars));
  }
  const TLocationRec r = DecodeLocationRec(bytes);
  if (auto p = CheckName("City", r.City, false))
    return p;
  if (auto p = CheckName("Country", r.Country, false))
    return p;
  if (auto p = CheckName("State", r.State, true))
    return p;
  if (!r.State.empty() && r.Country != "USA")
    return Problem("State is given, and Country is not USA", "State مذكور، وCountry ليس USA");

  std::optional<LocationRecProblem> p = CheckNumbers(r);
  if (p)
    p->namesFit = true;
  return p;
}

}  // namespace vek
