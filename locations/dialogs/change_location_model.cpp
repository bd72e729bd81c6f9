#include "locations/dialogs/change_location_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/calendar.h"
#include "program/display_texts.h"
#include "program/settings.h"

namespace vek {

namespace {

using F = ChangeLocationField;

// The common year whose calendar turns the daylight-saving days into day numbers.
constexpr int kCommonYear = 1998;

// The pairs whose minutes (or seconds) must be 0 while the larger unit is at its maximum.
struct Pair {
  F Major;
  F Minor;
};
constexpr Pair kPairs[] = {
    {F::LongDeg, F::LongMin},
    {F::FajrOffsetH, F::FajrOffsetM},
    {F::IshaOffsetH, F::IshaOffsetM},
    {F::FajrInclinationD, F::FajrInclinationM},
    {F::IshaInclinationD, F::IshaInclinationM},
    {F::AfricanDelayH, F::AfricanDelayM},
    {F::ImsakDurationM, F::ImsakDurationS},
};

std::size_t Index(F field) {
  return static_cast<std::size_t>(field);
}

// An integer as the edits take it: an optional sign and decimal digits, nothing else.
std::optional<int> ParseInteger(const std::string& text) {
  std::string_view digits(text);
  const bool plus = !digits.empty() && digits.front() == '+';
  if (plus)
    digits.remove_prefix(1);
  if (digits.empty() || (plus && (digits.front() < '0' || digits.front() > '9')))
    return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  return value;
}

std::string Decimal(long long value) {
  return std::to_string(value);
}

int Clamp(int value, ChangeLocationField field) {
  const ChangeLocationFieldRule& rule = FieldRule(field);
  return std::clamp(value, rule.min, rule.max);
}

// The daylight-saving day and month edits as a day of the common year, when they form a date.
std::optional<int> DayOfCommonYear(std::optional<int> day, std::optional<int> month) {
  if (!day || !month || *month < 1 || *month > 12 || *day < 1 ||
      *day > DaysInGregorianMonth(kCommonYear, *month))
    return std::nullopt;
  return DayNumberOfYear(EncodeDate(kCommonYear, *month, *day));
}

}  // namespace

std::string NoSuchDayMessage(int day, int month, Language lang, const NameLists& names) {
  const std::size_t m = static_cast<std::size_t>(std::clamp(month, 1, 12) - 1);
  const std::string days = std::to_string(DaysInGregorianMonth(kCommonYear, m + 1));
  if (lang == Language::Arabic)
    return "لا يوجد يوم " + std::to_string(day) + " في شهر " + names.AMonths[m] +
           "، يرجى إدخال يوم بين 1 و " + days;
  return names.EMonths[m] + " has no day " + std::to_string(day) + ": enter a day between 1 and " +
         days + " please.";
}

std::string TimeZoneText(int item) {
  const int halves = item - kGreenwichZone;
  const char* sign = halves > 0 ? "+" : halves < 0 ? "-" : "";
  char text[16];
  std::snprintf(text, sizeof text, "%s%d%s", sign, std::abs(halves) / 2,
                halves % 2 != 0 ? ".5" : "");
  // The number left-aligned in six characters.
  std::string number(text);
  number.resize(std::max<std::size_t>(number.size(), 6), ' ');
  return number + "GMT";
}

ZoneMeridian TimeZoneMeridian(int item) {
  const int s = item > kGreenwichZone ? 1 : -1;
  // (item - 24) * 15 * s / 2 degrees, counted in half degrees; a half rounds to the even degree.
  const int halfDegrees = (item - kGreenwichZone) * 15 * s;
  int degrees = halfDegrees / 2;
  if (halfDegrees % 2 != 0 && degrees % 2 != 0)
    ++degrees;
  return {degrees, (1 - s) / 2};
}

int TimeZoneItem(int meridian, bool west) {
  const long steps = std::lround(meridian / 15.0 * 2);
  const long item = (west ? -steps : steps) + kGreenwichZone;
  return static_cast<int>(std::clamp<long>(item, 0, kTimeZoneCount - 1));
}

MethodPanels MethodPanelsFor(int method) {
  switch (method) {
    case 0:
    case 1:
      return {true, true, false, false, false, false, true};
    case 2:
      return {false, false, true, true, false, false, false};
    case 4:
      return {true, false, false, true, true, false, false};
    default:  // 3, and no method checked
      return {true, true, false, false, true, true, false};
  }
}

// ---- the form ------------------------------------------------------------------------------

void ChangeLocationModel::LoadLocation(const TLocationRec& stored) {
  stored_ = stored;
  RecordToForm(stored_);
  modified_ = false;
}

void ChangeLocationModel::RecordToForm(const TLocationRec& rec) {
  const auto set = [this](F field, long long value) { texts_[Index(field)] = Decimal(value); };
  title_ = rec.City + "  (" + rec.Country + ")";
  set(F::LongDeg, rec.LongDeg);
  set(F::LongMin, rec.LongMin);
  set(F::LatDeg, rec.LatDeg);
  set(F::LatMin, rec.LatMin);
  set(F::St_LongDeg, rec.St_Longitude);
  zoneItem_ = TimeZoneItem(rec.St_Longitude, rec.West);
  northernItem_ = rec.North ? 0 : 1;
  westernItem_ = rec.West ? 1 : 0;

  daySaving_ = rec.DST;
  int day = 0, month = 0;
  DayOfYearToDayMonth(rec.DstStart, day, month);
  set(F::DaySavingFrom, day);
  set(F::MonthSavingFrom, month);
  DayOfYearToDayMonth(rec.DstEnd, day, month);
  set(F::DaySavingTo, day);
  set(F::MonthSavingTo, month);

  const int method = static_cast<int>(rec.Method);
  method_ = method <= 4 ? method : -1;
  const DegreesMinutes fajr = AngleToForm(rec.FajrAngle);
  const DegreesMinutes isha = AngleToForm(rec.IshaAngle);
  savedAngleTexts_ = {Decimal(fajr.degrees), Decimal(fajr.minutes), Decimal(isha.degrees),
                      Decimal(isha.minutes)};
  FajrIshaOptionsChange();

  set(F::FajrOffsetH, rec.FajrInterval / 3600);
  set(F::FajrOffsetM, rec.FajrInterval % 3600 / 60);
  set(F::IshaOffsetH, rec.IshaInterval / 3600);
  set(F::IshaOffsetM, rec.IshaInterval % 3600 / 60);

  africanZuhr_ = rec.ZuhrDelayOn;
  set(F::AfricanDelayH, rec.ZuhrDelay / 3600);
  set(F::AfricanDelayM, rec.ZuhrDelay % 3600 / 60);

  hanafi_ = rec.Hanafi;
  fixedDuration_ = rec.ImsakFixedDuration;
  set(F::ImsakDurationM, rec.ImsakDuration / 60);
  set(F::ImsakDurationS, rec.ImsakDuration % 60);
}

std::optional<int> ChangeLocationModel::Value(ChangeLocationField field) const {
  const std::string& text = Text(field);
  if (text.empty())
    return 0;
  return ParseInteger(text);
}

TLocationRec ChangeLocationModel::FormToRecord() const {
  TLocationRec r = stored_;
  const auto value = [this](F field) {
    return Clamp(Value(field).value_or(FieldRule(field).min), field);
  };
  // A larger unit at its maximum allows no minutes.
  const auto pair = [&](F major, F minor) {
    const int big = value(major);
    return std::pair{big, big == FieldRule(major).max ? 0 : value(minor)};
  };
  const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };

  const auto [longDeg, longMin] = pair(F::LongDeg, F::LongMin);
  r.LongDeg = byte(longDeg);
  r.LongMin = byte(longMin);
  r.LatDeg = byte(value(F::LatDeg));
  r.LatMin = byte(value(F::LatMin));
  r.St_Longitude = byte(value(F::St_LongDeg));
  r.North = northernItem_ == 0;
  r.West = westernItem_ == 1;
  r.DST = daySaving_;
  if (daySaving_) {
    const auto start = DayOfCommonYear(Value(F::DaySavingFrom), Value(F::MonthSavingFrom));
    const auto end = DayOfCommonYear(Value(F::DaySavingTo), Value(F::MonthSavingTo));
    if (start && end) {
      r.DstStart = static_cast<std::uint16_t>(*start);
      r.DstEnd = static_cast<std::uint16_t>(*end);
    }
  }

  if (method_ >= 0)
    r.Method = static_cast<TFajrIshaMethod>(method_);
  const auto interval = [&](F hours, F minutes) {
    const auto [h, m] = pair(hours, minutes);
    return h * 3600 + m * 60;
  };
  const auto angle = [&](F degrees, F minutes) {
    const auto [d, m] = pair(degrees, minutes);
    return FormToAngle(d, m);
  };
  switch (method_) {
    case 2:
      r.FajrInterval = interval(F::FajrOffsetH, F::FajrOffsetM);
      r.IshaInterval = interval(F::IshaOffsetH, F::IshaOffsetM);
      break;
    case 4:
      r.FajrAngle = angle(F::FajrInclinationD, F::FajrInclinationM);
      r.IshaInterval = interval(F::IshaOffsetH, F::IshaOffsetM);
      break;
    default:
      r.FajrAngle = angle(F::FajrInclinationD, F::FajrInclinationM);
      r.IshaAngle = angle(F::IshaInclinationD, F::IshaInclinationM);
      break;
  }

  r.ZuhrDelayOn = africanZuhr_;
  r.ZuhrDelay = interval(F::AfricanDelayH, F::AfricanDelayM);
  r.Hanafi = hanafi_;
  r.ImsakFixedDuration = fixedDuration_;
  const auto [imsakMin, imsakSec] = pair(F::ImsakDurationM, F::ImsakDurationS);
  r.ImsakDuration = imsakMin * 60 + imsakSec;
  return r;
}

void ChangeLocationModel::SetText(ChangeLocationField field, const std::string& text) {
  std::string& current = texts_[Index(field)];
  if (current == text)
    return;
  current = text;
  MarkModified();
}

void ChangeLocationModel::NumOnly(ChangeLocationField field, const std::string& text) {
  SetText(field, !text.empty() && !ParseInteger(text) ? std::string() : text);
}

std::optional<ChangeLocationError> ChangeLocationModel::Exit(ChangeLocationField field) {
  const ChangeLocationFieldRule& rule = FieldRule(field);
  if (Text(field).empty() && rule.emptyBecomesZero)
    SetText(field, "0");
  const std::optional<int> value = Value(field);
  const bool inRange = value && *value >= rule.min && *value <= rule.max;
  std::optional<ChangeLocationError> error;
  if (!inRange)
    error = ChangeLocationError{field, RangeMessage(field, lang_)};

  // An empty or non-numeric larger unit is not at its maximum.
  for (const Pair& p : kPairs) {
    if (p.Major == field || p.Minor == field) {
      if (Value(p.Major) == FieldRule(p.Major).max)
        SetText(p.Minor, "0");
    }
  }
  if (field == F::St_LongDeg && inRange)
    zoneItem_ = TimeZoneItem(*value, westernItem_ == 1);
  return error;
}

void ChangeLocationModel::NorthernChange(int item) {
  if (item == northernItem_ || item < 0 || item > 1)
    return;
  northernItem_ = item;
  MarkModified();
}

void ChangeLocationModel::GMTChange(int item) {
  if (item == zoneItem_ || item < 0 || item >= kTimeZoneCount)
    return;
  zoneItem_ = item;
  const ZoneMeridian zone = TimeZoneMeridian(item);
  // Set directly: the meridian follows the zone without running the meridian's own handlers.
  texts_[Index(F::St_LongDeg)] = Decimal(zone.meridian);
  westernItem_ = zone.westernItem;
  MarkModified();
}

void ChangeLocationModel::WesternChange(int item) {
  if (item == westernItem_ || item < 0 || item > 1)
    return;
  westernItem_ = item;
  zoneItem_ = TimeZoneItem(Clamp(Value(F::St_LongDeg).value_or(0), F::St_LongDeg), item == 1);
  MarkModified();
}

void ChangeLocationModel::DaySavingClick(bool checked) {
  daySaving_ = checked;
  MarkModified();
}

void ChangeLocationModel::AfricanZuhrClick(bool checked) {
  africanZuhr_ = checked;
  MarkModified();
}

void ChangeLocationModel::HanafiMethodClick(bool checked) {
  hanafi_ = checked;
  MarkModified();
}

void ChangeLocationModel::FixedDurationClick(bool fixedDuration) {
  if (fixedDuration == fixedDuration_ || (!fixedDuration && !panels_.reconcile))
    return;
  fixedDuration_ = fixedDuration;
  MarkModified();
}

void ChangeLocationModel::MethodClick(int method) {
  if (method == method_ || method < 0 || method > 4)
    return;
  method_ = method;
  FajrIshaOptionsChange();
}

void ChangeLocationModel::FajrIshaOptionsChange() {
  const int m = method_ < 0 ? 3 : method_;
  panels_ = MethodPanelsFor(m);
  const auto angles = [this](const char* fd, const char* fm, const char* id, const char* im) {
    SetText(F::FajrInclinationD, fd);
    SetText(F::FajrInclinationM, fm);
    SetText(F::IshaInclinationD, id);
    SetText(F::IshaInclinationM, im);
  };
  switch (m) {
    case 0:
      angles("18", "0", "19", "30");
      break;
    case 1:
      angles("19", "30", "19", "30");
      break;
    case 3:
      angles(savedAngleTexts_[0].c_str(), savedAngleTexts_[1].c_str(), savedAngleTexts_[2].c_str(),
             savedAngleTexts_[3].c_str());
      break;
    case 4:
      SetText(F::FajrInclinationD, savedAngleTexts_[0]);
      SetText(F::FajrInclinationM, savedAngleTexts_[1]);
      break;
    default:
      break;
  }
  // Reconcile belongs to the Eastern and Middle-Eastern methods only.
  if (m >= 2)
    fixedDuration_ = true;
  MarkModified();
}

std::optional<ChangeLocationError> ChangeLocationModel::ValidateForAccept() {
  // The edits whose values reach the record, from the top of the form down.
  std::vector<F> fields = {F::LongDeg, F::LongMin, F::LatDeg, F::LatMin, F::St_LongDeg};
  if (daySaving_)
    fields.insert(fields.end(),
                  {F::DaySavingFrom, F::MonthSavingFrom, F::DaySavingTo, F::MonthSavingTo});
  switch (method_) {
    case 2:
      fields.insert(fields.end(), {F::FajrOffsetH, F::FajrOffsetM, F::IshaOffsetH, F::IshaOffsetM});
      break;
    case 4:
      fields.insert(fields.end(),
                    {F::FajrInclinationD, F::FajrInclinationM, F::IshaOffsetH, F::IshaOffsetM});
      break;
    default:
      fields.insert(fields.end(), {F::FajrInclinationD, F::FajrInclinationM, F::IshaInclinationD,
                                   F::IshaInclinationM});
      break;
  }
  fields.insert(fields.end(),
                {F::AfricanDelayH, F::AfricanDelayM, F::ImsakDurationM, F::ImsakDurationS});
  for (F field : fields) {
    if (auto error = Exit(field))
      return error;
  }
  // Day 31 passes its own check with any month; 30 February is no day of the year, and the
  // message says so.
  if (daySaving_) {
    for (const auto& [day, month] : {std::pair{F::DaySavingFrom, F::MonthSavingFrom},
                                     std::pair{F::DaySavingTo, F::MonthSavingTo}}) {
      if (!DayOfCommonYear(Value(day), Value(month)))
        return ChangeLocationError{day,
                                   NoSuchDayMessage(*Value(day), *Value(month), lang_, names_)};
    }
  }
  return std::nullopt;
}

ChangeLocationAcceptance ChangeLocationModel::Accept(int year, const EngineContext& engine,
                                                     const MonthCaptionContext& days) {
  ChangeLocationAcceptance result;
  result.error = ValidateForAccept();
  if (result.error)
    return result;
  result.record = FormToRecord();
  ScanHighLatitude(result.record, year, engine, result.track);
  if (result.track.AnySet()) {
    result.conflictText = lang_ == Language::Arabic ? ArabicConflictText(result.track, days)
                                                    : EnglishConflictText(result.track, days);
  }
  result.store = modified_;
  return result;
}

void ChangeLocationModel::Stored(const TLocationRec& rec) {
  stored_ = rec;
  modified_ = false;
}

}  // namespace vek
