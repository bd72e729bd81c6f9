// What the change-location dialog decides, without widgets: the form's values as texts and
// indices, the record-to-form mapping and back, the time-zone list and its meridians, the method
// rule, the exit validators of the numeric edits and the checks and high-latitude scan of Accept.
// The dialog shows this state and hands every user action to it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "engine/prayer_times.h"
#include "engine/trackers.h"
#include "foundation/language.h"
#include "locations/location_fields.h"
#include "locations/location_record.h"
#include "program/display_texts.h"

namespace vek {

// The message for a daylight-saving day that its month does not have (31 February): the month,
// by the user's name for it, has no such day, and the days it has.
std::string NoSuchDayMessage(int day, int month, Language lang, const NameLists& names);

// The time-zone box: item i (0..48) is the offset (i - 24) / 2 hours.
inline constexpr int kTimeZoneCount = 49;
inline constexpr int kGreenwichZone = 24;
// "-12   GMT", "-11.5 GMT", ..., "0     GMT", "+0.5  GMT", ..., "+12   GMT".
std::string TimeZoneText(int item);
// The standard meridian and east/west item of a picked zone (0 east, 1 west; the zero zone counts
// as west). Half-hour zones round 7.5-degree steps to the even neighbour.
struct ZoneMeridian {
  int meridian = 0;
  int westernItem = 1;
  bool operator==(const ZoneMeridian&) const = default;
};
ZoneMeridian TimeZoneMeridian(int item);
// The zone item of a meridian east or west of Greenwich, kept inside the list.
int TimeZoneItem(int meridian, bool west);

// Which panels of the method show, and which controls are enabled, for a method (0..4).
struct MethodPanels {
  bool fajrAngle = true;
  bool ishaAngle = true;
  bool fixedFajr = false;
  bool fixedIsha = false;
  bool fajrAngleEdits = true;  // enabled
  bool ishaAngleEdits = true;
  bool reconcile = false;  // the Reconcile Imsak radio is enabled
  bool operator==(const MethodPanels&) const = default;
};
MethodPanels MethodPanelsFor(int method);

// A refused value: the field that holds it and the message to show.
struct ChangeLocationError {
  ChangeLocationField field = ChangeLocationField::LongDeg;
  std::string message;
};

// What Accept decided.
struct ChangeLocationAcceptance {
  std::optional<ChangeLocationError> error;  // set: refused, nothing scanned or to be stored
  TLocationRec record;                       // the edited record
  Trackers track;                            // the high-latitude scan of record
  std::string conflictText;                  // what the scan found; empty when nothing
  bool store = false;                        // the form was modified: store record
};

class ChangeLocationModel {
 public:
  // names: the user's month names, which the form's messages use.
  explicit ChangeLocationModel(Language lang = Language::English,
                               NameLists names = DefaultNameLists())
      : lang_(lang), names_(std::move(names)) {}

  // Fills the form from the stored record; Modified is cleared.
  void LoadLocation(const TLocationRec& stored);
  void RecordToForm(const TLocationRec& rec);
  // The stored record with the form's values; fields the form does not show are kept. Values are
  // kept inside their ranges (Accept refuses others before this), and the daylight-saving days
  // are taken from the edits only while daylight saving is on and the edits form dates.
  TLocationRec FormToRecord() const;

  // ---- user actions; each marks the form modified when it changes something.
  // Text typed into an edit: a text that is no integer empties the edit.
  void NumOnly(ChangeLocationField field, const std::string& text);
  // Leaving an edit: the empty rule, the range check and the companion rule. Returns the range
  // message when the value is outside its range (the text stays as typed).
  std::optional<ChangeLocationError> Exit(ChangeLocationField field);
  void NorthernChange(int item);  // 0 Northern, 1 Southern
  void GMTChange(int item);       // a zone picked from the list
  void WesternChange(int item);   // 0 east, 1 west
  void DaySavingClick(bool checked);
  void AfricanZuhrClick(bool checked);
  void HanafiMethodClick(bool checked);
  void FixedDurationClick(bool fixedDuration);  // either Imsak radio: true Fixed Duration
  void MethodClick(int method);                 // a method radio (0..4)

  // Runs the validator of every edit whose value reaches the record, then checks that the
  // daylight-saving days form dates; the first refused value, if any.
  std::optional<ChangeLocationError> ValidateForAccept();
  // Validation, then the high-latitude scan of the edited record (in its own trackers) for the
  // given year, and the conflict text in the form's language.
  ChangeLocationAcceptance Accept(int year, const EngineContext& engine,
                                  const MonthCaptionContext& days);
  // The record was stored: it is the stored record now, and the form is not modified.
  void Stored(const TLocationRec& rec);

  // ---- the form's state
  Language Lang() const { return lang_; }
  bool Modified() const { return modified_; }
  const std::string& Text(ChangeLocationField field) const {
    return texts_[static_cast<std::size_t>(field)];
  }
  const std::string& Title() const { return title_; }
  int NorthernItem() const { return northernItem_; }
  int ZoneItem() const { return zoneItem_; }
  int WesternItem() const { return westernItem_; }
  bool DaySaving() const { return daySaving_; }
  int Method() const { return method_; }  // -1 when no radio is checked
  const MethodPanels& Panels() const { return panels_; }
  bool AfricanZuhr() const { return africanZuhr_; }
  bool HanafiMethod() const { return hanafi_; }
  bool FixedDuration() const { return fixedDuration_; }
  bool Reconcile() const { return !fixedDuration_; }
  const std::array<std::string, 4>& SavedAngleTexts() const { return savedAngleTexts_; }
  const TLocationRec& StoredRecord() const { return stored_; }

 private:
  void MarkModified() { modified_ = true; }
  // A text written by the form itself; like typing, it marks the form modified when it changes.
  void SetText(ChangeLocationField field, const std::string& text);
  void FajrIshaOptionsChange();
  std::optional<int> Value(ChangeLocationField field) const;

  Language lang_;
  NameLists names_;
  TLocationRec stored_;
  std::array<std::string, kChangeLocationFieldCount> texts_;
  std::string title_;
  int northernItem_ = 0;
  int zoneItem_ = kGreenwichZone;
  int westernItem_ = 0;
  bool daySaving_ = false;
  int method_ = -1;
  MethodPanels panels_;
  bool africanZuhr_ = false;
  bool hanafi_ = false;
  bool fixedDuration_ = true;
  std::array<std::string, 4> savedAngleTexts_;  // Fajr degrees, minutes, Isha degrees, minutes
  bool modified_ = false;
};

}  // namespace vek
