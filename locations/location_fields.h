// What a location may hold, by the rules the location dialogs apply to what the user enters: a
// name (not blank, only characters the location file can store, 18 characters at most) and each
// numeric field of the change-location dialog with its range. A stored record that comes from
// elsewhere (a downloaded location file) is checked by the same rules, field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "foundation/language.h"
#include "locations/location_record.h"

namespace vek {

// ---- names

// A name as typed into the new-name prompt, made fit for the location file: blanks around it
// removed, then cut to the 18 characters of the record's name fields (blanks the cut leaves at
// the end removed too).
enum class NewNameStatus {
  Cancelled,  // nothing typed: the prompt was cancelled
  Blank,      // only blanks
  NotCp1256,  // a character the location file cannot store, or a control character
  Ok,
};

struct NewName {
  NewNameStatus Status = NewNameStatus::Cancelled;
  std::string Name;  // the name to use when Ok
  bool Cut = false;  // it was longer than 18 characters
};

NewName CleanNewName(std::string_view typed);

// ---- the numeric fields of the change-location dialog

// The numeric edits, each with its exit validator.
enum class ChangeLocationField : int {
  LongDeg,
  LongMin,
  St_LongDeg,  // the hidden standard-meridian edit
  LatDeg,
  LatMin,
  DaySavingFrom,
  MonthSavingFrom,
  DaySavingTo,
  MonthSavingTo,
  FajrOffsetH,
  FajrOffsetM,
  IshaOffsetH,
  IshaOffsetM,
  FajrInclinationD,
  FajrInclinationM,
  IshaInclinationD,
  IshaInclinationM,
  AfricanDelayH,
  AfricanDelayM,
  ImsakDurationM,
  ImsakDurationS,
};
inline constexpr int kChangeLocationFieldCount = 21;

// The exit rule of one edit.
struct ChangeLocationFieldRule {
  int min = 0;
  int max = 0;
  bool emptyBecomesZero = false;  // else an empty edit counts as 0
  int maxChars = 2;               // the edit's maximum length
  const char* english = "";       // the range message
  const char* arabic = "";
};
const ChangeLocationFieldRule& FieldRule(ChangeLocationField field);
// The range message of the field in the language.
std::string RangeMessage(ChangeLocationField field, Language lang);

// The form shows a stored angle (arc-minutes above 18 degrees) as degrees and minutes.
struct DegreesMinutes {
  int degrees = 0;
  int minutes = 0;
  bool operator==(const DegreesMinutes&) const = default;
};
DegreesMinutes AngleToForm(std::int32_t angle);
std::int32_t FormToAngle(int degrees, int minutes);

// The dialog turns the daylight-saving day and month into a day of a common year.
inline constexpr int kDaysOfCommonYear = 365;

// ---- a stored record

// Why a stored record holds what the dialogs would not let a user enter: the field of the record
// and the reason, in both languages ("LatDeg is 70, not within 0 to 65").
struct LocationRecProblem {
  std::string english;
  std::string arabic;
  bool namesFit = false;  // the names passed: the problem is a number
};

// The first field of the record (names, then the numbers from the top of the change-location
// form down) that breaks the dialogs' rules: a name's length byte beyond its field, a name that
// CleanNewName would not keep as it is, a State outside the USA, a number outside its range. The
// values checked are those the dialog validates for the record's method.
std::optional<LocationRecProblem> CheckLocationRec(
    std::span<const std::uint8_t, kLocationRecSize> bytes);

}  // namespace vek
