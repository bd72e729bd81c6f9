#include "locations/dialogs/change_location_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "locations/location_file.h"
#include "locations/location_list.h"
#include "program/display_texts.h"
#include "program/settings.h"
#include "support/fake_ui.h"
#include "support/locations_fixture.h"

namespace vek {
namespace {

using F = ChangeLocationField;

// A location with its own angles, Fajr 19°30' and Isha 17°00'.
TLocationRec YourMethodCity() {
  TLocationRec r = testing::SampleLocationRec();
  r.IshaInterval = 4500;
  r.ZuhrDelay = 600;
  r.ImsakDuration = 10 * 60 + 15;
  r.Spare = 0xA5A5A5A5;
  return r;
}

ChangeLocationModel Loaded(const TLocationRec& rec, Language lang = Language::English,
                           NameLists names = DefaultNameLists()) {
  ChangeLocationModel form(lang, std::move(names));
  form.LoadLocation(rec);
  return form;
}

std::vector<std::string> AngleTexts(const ChangeLocationModel& form) {
  return {form.Text(F::FajrInclinationD), form.Text(F::FajrInclinationM),
          form.Text(F::IshaInclinationD), form.Text(F::IshaInclinationM)};
}

void Type(ChangeLocationModel& form, F field, const std::string& text) {
  form.NumOnly(field, text);
}

TEST(ChangeLocationModelTest, ShippedLocationsPassThroughTheFormUnchanged) {
  TLocations list;
  ASSERT_TRUE(testing::LoadShippedLocations(list));
  ASSERT_GE(list.Count(), 1000);

  std::set<int> methods;
  for (int i = 0; i < list.Count(); ++i) {
    const TLocationRec& stored = list.GetItem(i).Rec;
    SCOPED_TRACE(stored.City + "/" + stored.Country);
    ChangeLocationModel form = Loaded(stored);
    // The Eastern and Middle-Eastern methods show (and store) their own angles; the engine does
    // not read stored angles for them.
    TLocationRec expected = stored;
    if (stored.Method == TFajrIshaMethod::Eastern) {
      expected.FajrAngle = 0;
      expected.IshaAngle = 90;
    } else if (stored.Method == TFajrIshaMethod::MiddleEastern) {
      expected.FajrAngle = expected.IshaAngle = 90;
    }
    ASSERT_EQ(EncodeLocationRec(form.FormToRecord()), EncodeLocationRec(expected));
    // Every shipped value passes Accept's checks without touching the form.
    ASSERT_FALSE(form.ValidateForAccept().has_value());
    ASSERT_FALSE(form.Modified());
    ASSERT_EQ(form.ZoneItem(), TimeZoneItem(stored.St_Longitude, stored.West));
    methods.insert(static_cast<int>(stored.Method));
  }
  EXPECT_GE(methods.size(), 3u);  // the file covers several methods
}

TEST(ChangeLocationModelTest, TimeZoneTexts) {
  EXPECT_EQ(TimeZoneText(0), "-12   GMT");
  EXPECT_EQ(TimeZoneText(1), "-11.5 GMT");
  EXPECT_EQ(TimeZoneText(23), "-0.5  GMT");
  EXPECT_EQ(TimeZoneText(24), "0     GMT");
  EXPECT_EQ(TimeZoneText(25), "+0.5  GMT");
  EXPECT_EQ(TimeZoneText(35), "+5.5  GMT");
  EXPECT_EQ(TimeZoneText(48), "+12   GMT");
  std::set<std::string> texts;
  for (int i = 0; i < kTimeZoneCount; ++i) {
    EXPECT_EQ(TimeZoneText(i).size(), 9u) << i;
    texts.insert(TimeZoneText(i));
  }
  EXPECT_EQ(texts.size(), 49u);
}

TEST(ChangeLocationModelTest, EveryTimeZoneRoundTripsThroughTheRecord) {
  std::vector<int> halfHourMeridians;
  for (int item = 0; item < kTimeZoneCount; ++item) {
    SCOPED_TRACE(item);
    ChangeLocationModel form = Loaded(YourMethodCity());
    form.GMTChange(item == 30 ? 31 : 30);  // away first, so that the pick is a change
    form.GMTChange(item);
    EXPECT_EQ(form.ZoneItem(), item);
    const TLocationRec rec = form.FormToRecord();
    EXPECT_LE(rec.St_Longitude, 180);
    EXPECT_EQ(rec.West, item <= kGreenwichZone);
    EXPECT_EQ(Loaded(rec).ZoneItem(), item);
    if (item > kGreenwichZone && item % 2 == 1)
      halfHourMeridians.push_back(rec.St_Longitude);
  }
  EXPECT_EQ(halfHourMeridians,
            (std::vector<int>{8, 22, 38, 52, 68, 82, 98, 112, 128, 142, 158, 172}));

  struct Case {
    int item;
    int meridian;
    bool west;
  };
  for (const Case& c : {Case{35, 82, false}, Case{17, 52, true}, Case{24, 0, true}}) {
    ChangeLocationModel form = Loaded(YourMethodCity());
    form.GMTChange(c.item);
    EXPECT_EQ(form.Text(F::St_LongDeg), std::to_string(c.meridian));
    EXPECT_EQ(form.FormToRecord().St_Longitude, c.meridian);
    EXPECT_EQ(form.FormToRecord().West, c.west);
    EXPECT_TRUE(form.Modified());
  }
}

TEST(ChangeLocationModelTest, HemisphereAndMeridianChanges) {
  ChangeLocationModel form = Loaded(YourMethodCity());
  const int zone = form.ZoneItem();
  form.NorthernChange(1);
  EXPECT_TRUE(form.Modified());
  EXPECT_EQ(form.ZoneItem(), zone);
  EXPECT_FALSE(form.FormToRecord().North);

  // The hidden meridian edit and east/west box set the zone item.
  form = Loaded(YourMethodCity());
  Type(form, F::St_LongDeg, "75");
  EXPECT_FALSE(form.Exit(F::St_LongDeg));
  EXPECT_EQ(form.ZoneItem(), 34);
  form.WesternChange(1);
  EXPECT_EQ(form.ZoneItem(), 14);
  Type(form, F::St_LongDeg, "200");
  EXPECT_TRUE(form.Exit(F::St_LongDeg));
  EXPECT_EQ(form.ZoneItem(), 14);  // an out-of-range meridian gives no zone
}

TEST(ChangeLocationModelTest, AngleEncoding) {
  EXPECT_EQ(AngleToForm(0), (DegreesMinutes{18, 0}));
  EXPECT_EQ(AngleToForm(90), (DegreesMinutes{19, 30}));
  EXPECT_EQ(AngleToForm(-180), (DegreesMinutes{15, 0}));
  EXPECT_EQ(AngleToForm(120), (DegreesMinutes{20, 0}));
  for (int a = -180; a <= 120; ++a) {
    const DegreesMinutes dm = AngleToForm(a);
    EXPECT_EQ(FormToAngle(dm.degrees, dm.minutes), a);
  }
}

TEST(ChangeLocationModelTest, MethodRule) {
  ChangeLocationModel form = Loaded(YourMethodCity());
  EXPECT_EQ(form.Method(), 3);
  EXPECT_EQ(AngleTexts(form), (std::vector<std::string>{"19", "30", "17", "0"}));
  EXPECT_TRUE(form.Panels().fajrAngleEdits && form.Panels().ishaAngleEdits);
  EXPECT_EQ(form.Text(F::FajrOffsetH), "1");
  EXPECT_EQ(form.Text(F::FajrOffsetM), "30");
  EXPECT_EQ(form.Text(F::ImsakDurationM), "10");
  EXPECT_EQ(form.Text(F::ImsakDurationS), "15");
  EXPECT_EQ(form.Title(), "DAMASCUS  (SYRIA)");

  form.MethodClick(0);
  EXPECT_EQ(AngleTexts(form), (std::vector<std::string>{"18", "0", "19", "30"}));
  EXPECT_EQ(form.Panels(), MethodPanelsFor(0));
  EXPECT_FALSE(form.Panels().fajrAngleEdits);
  EXPECT_TRUE(form.Panels().reconcile);
  EXPECT_TRUE(form.Modified());
  TLocationRec rec = form.FormToRecord();
  EXPECT_EQ(rec.Method, TFajrIshaMethod::Eastern);
  EXPECT_EQ(rec.FajrAngle, 0);
  EXPECT_EQ(rec.IshaAngle, 90);
  form.FixedDurationClick(false);
  EXPECT_TRUE(form.Reconcile());

  form.MethodClick(1);
  EXPECT_EQ(AngleTexts(form), (std::vector<std::string>{"19", "30", "19", "30"}));
  EXPECT_TRUE(form.Reconcile());  // still allowed

  // Back to Your Method: the stored angles, and Reconcile gives way to Fixed Duration.
  form.MethodClick(3);
  EXPECT_EQ(AngleTexts(form), (std::vector<std::string>{"19", "30", "17", "0"}));
  EXPECT_TRUE(form.FixedDuration());
  EXPECT_FALSE(form.Panels().reconcile);
  form.FixedDurationClick(false);  // a disabled radio cannot be chosen
  EXPECT_TRUE(form.FixedDuration());

  // Saudi: the own Fajr angle and the fixed Isha interval, and only those are stored.
  form = Loaded(YourMethodCity());
  Type(form, F::IshaInclinationD, "16");
  form.MethodClick(4);
  EXPECT_EQ(form.Panels(), (MethodPanels{true, false, false, true, true, false, false}));
  Type(form, F::FajrInclinationD, "17");
  Type(form, F::IshaOffsetH, "2");
  Type(form, F::IshaOffsetM, "0");
  Type(form, F::FajrOffsetH, "0");
  rec = form.FormToRecord();
  EXPECT_EQ(rec.FajrAngle, FormToAngle(17, 30));
  EXPECT_EQ(rec.IshaInterval, 7200);
  EXPECT_EQ(rec.IshaAngle, -60);      // kept
  EXPECT_EQ(rec.FajrInterval, 5400);  // kept

  // Fixed Time: only the intervals; the angles are kept.
  form = Loaded(YourMethodCity());
  form.FixedDurationClick(false);
  form.MethodClick(2);
  EXPECT_EQ(form.Panels(), (MethodPanels{false, false, true, true, false, false, false}));
  Type(form, F::FajrOffsetM, "45");
  Type(form, F::FajrInclinationD, "16");
  rec = form.FormToRecord();
  EXPECT_EQ(rec.FajrInterval, 3600 + 45 * 60);
  EXPECT_EQ(rec.IshaInterval, 4500);
  EXPECT_EQ(rec.FajrAngle, 90);
  EXPECT_TRUE(rec.ImsakFixedDuration);
}

TEST(ChangeLocationModelTest, CheckBoxesAndLoading) {
  TLocationRec stored = YourMethodCity();
  stored.Method = TFajrIshaMethod::Eastern;
  stored.ImsakFixedDuration = false;
  ChangeLocationModel form = Loaded(stored);
  EXPECT_FALSE(form.Modified());  // the method rule run by the loading does not count
  EXPECT_TRUE(form.Reconcile());

  form.HanafiMethodClick(true);
  form.AfricanZuhrClick(true);
  form.DaySavingClick(true);
  EXPECT_TRUE(form.Modified());
  TLocationRec rec = form.FormToRecord();
  EXPECT_TRUE(rec.Hanafi);
  EXPECT_TRUE(rec.ZuhrDelayOn);
  EXPECT_EQ(rec.ZuhrDelay, 600);
  EXPECT_TRUE(rec.DST);

  // Restoring brings back the stored record.
  form.LoadLocation(stored);
  EXPECT_FALSE(form.Modified());
  TLocationRec expected = stored;
  expected.FajrAngle = 0;  // the Eastern method's own angles
  expected.IshaAngle = 90;
  EXPECT_EQ(form.FormToRecord(), expected);
}

TEST(ChangeLocationModelTest, NumOnlyEmptiesWhatIsNoInteger) {
  struct Case {
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {{"7x", ""},   {"x", ""},    {"-", ""}, {"+-5", ""}, {"1 ", ""},
                        {"-5", "-5"}, {"+5", "+5"}, {"", ""},  {"07", "07"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ChangeLocationModel form = Loaded(YourMethodCity());
    Type(form, F::LatDeg, c.typed);
    EXPECT_EQ(form.Text(F::LatDeg), c.kept);
    EXPECT_TRUE(form.Modified());
  }
}

// Leaving an edit: the range check, the empty rule and the message.
TEST(ChangeLocationModelTest, ExitValidators) {
  struct Case {
    F field;
    const char* typed;
    bool refused;
    const char* after;  // the edit's text afterwards
  };
  const Case cases[] = {
      {F::LongDeg, "0", false, "0"},
      {F::LongDeg, "180", false, "180"},
      {F::LongDeg, "181", true, "181"},
      {F::LongDeg, "-1", true, "-1"},
      {F::LongDeg, "", false, "0"},
      {F::LongMin, "59", false, "59"},
      {F::LongMin, "60", true, "60"},
      {F::St_LongDeg, "181", true, "181"},
      {F::LatDeg, "65", false, "65"},
      {F::LatDeg, "66", true, "66"},
      {F::LatDeg, "", false, "0"},
      {F::LatMin, "100", true, "100"},
      {F::DaySavingFrom, "1", false, "1"},
      {F::DaySavingFrom, "31", false, "31"},
      {F::DaySavingFrom, "0", true, "0"},
      {F::DaySavingTo, "32", true, "32"},
      {F::DaySavingTo, "", true, ""},  // no empty rule: counts as 0
      {F::MonthSavingFrom, "12", false, "12"},
      {F::MonthSavingTo, "13", true, "13"},
      {F::MonthSavingTo, "", true, ""},
      {F::FajrOffsetH, "2", false, "2"},
      {F::FajrOffsetH, "3", true, "3"},
      {F::FajrOffsetM, "60", true, "60"},
      {F::IshaOffsetH, "-1", true, "-1"},
      {F::IshaOffsetM, "", false, "0"},
      {F::FajrInclinationD, "15", false, "15"},
      {F::FajrInclinationD, "14", true, "14"},
      {F::FajrInclinationD, "21", true, "21"},
      {F::FajrInclinationD, "", true, ""},
      {F::IshaInclinationD, "20", false, "20"},
      {F::IshaInclinationM, "60", true, "60"},
      {F::AfricanDelayH, "1", false, "1"},
      {F::AfricanDelayH, "2", true, "2"},
      {F::AfricanDelayM, "60", true, "60"},
      {F::ImsakDurationM, "30", false, "30"},
      {F::ImsakDurationM, "31", true, "31"},
      {F::ImsakDurationS, "60", true, "60"},
      {F::ImsakDurationS, "", false, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.field)) + " '" + c.typed + "'");
    ChangeLocationModel form = Loaded(YourMethodCity());
    Type(form, c.field, c.typed);
    const auto error = form.Exit(c.field);
    EXPECT_EQ(error.has_value(), c.refused);
    if (error) {
      EXPECT_EQ(error->field, c.field);
      EXPECT_EQ(error->message, FieldRule(c.field).english);
    }
    EXPECT_EQ(form.Text(c.field), c.after);
  }

  // The messages are the form's language.
  ChangeLocationModel arabic = Loaded(YourMethodCity(), Language::Arabic);
  Type(arabic, F::LatDeg, "70");
  EXPECT_EQ(arabic.Exit(F::LatDeg)->message,
            "يرجى إدخال قيمة بين الصفر و 65 درجة، القيم التي هي دون 61 درجة تعطي دقة أكبر في "
            "الحسابات");
  EXPECT_EQ(RangeMessage(F::LatDeg, Language::English),
            "Enter value between 0 and 65 degree please, Calculations meaningful only up to 61 "
            "degree.");
  EXPECT_EQ(RangeMessage(F::FajrOffsetM, Language::English),
            "Enter value between 0 and 59 minutes please.");
  EXPECT_EQ(RangeMessage(F::IshaOffsetM, Language::English),
            "Enter value between 0 and 59 minuts please.");
  EXPECT_EQ(RangeMessage(F::ImsakDurationS, Language::Arabic),
            "يرجى إدخال قيمة بين الصفر و 59 ثانية");
  EXPECT_EQ(RangeMessage(F::DaySavingFrom, Language::Arabic), "يرجى إدخال قيمة بين يوم و 31 يوماً");
}

// A larger unit at its maximum allows no minutes, whichever edit is left.
TEST(ChangeLocationModelTest, CompanionRules) {
  struct Case {
    F major;
    F minor;
    const char* max;
  };
  const Case cases[] = {
      {F::LongDeg, F::LongMin, "180"},
      {F::FajrOffsetH, F::FajrOffsetM, "2"},
      {F::IshaOffsetH, F::IshaOffsetM, "2"},
      {F::FajrInclinationD, F::FajrInclinationM, "20"},
      {F::IshaInclinationD, F::IshaInclinationM, "20"},
      {F::AfricanDelayH, F::AfricanDelayM, "1"},
      {F::ImsakDurationM, F::ImsakDurationS, "30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.max);
    ChangeLocationModel form = Loaded(YourMethodCity());
    Type(form, c.minor, "45");
    Type(form, c.major, c.max);
    EXPECT_FALSE(form.Exit(c.major));
    EXPECT_EQ(form.Text(c.minor), "0");
    Type(form, c.minor, "45");
    EXPECT_FALSE(form.Exit(c.minor));
    EXPECT_EQ(form.Text(c.minor), "0");
    // Below the maximum, or with no number there, the minutes stay.
    Type(form, c.major, "");
    Type(form, c.minor, "45");
    form.Exit(c.minor);
    EXPECT_EQ(form.Text(c.minor), "45");
  }
}

TEST(ChangeLocationModelTest, AcceptRefusesWhatNeverLeftItsEdit) {
  // Enter in an edit runs Accept without the edit's own exit: Accept checks again.
  struct Case {
    F field;
    const char* typed;
  };
  const Case cases[] = {{F::LongDeg, "300"},       {F::LatDeg, "-5"},
                        {F::St_LongDeg, "255"},    {F::FajrInclinationD, "9"},
                        {F::ImsakDurationM, "99"}, {F::AfricanDelayH, "5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ChangeLocationModel form = Loaded(YourMethodCity());
    Type(form, c.field, c.typed);
    const auto error = form.ValidateForAccept();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->field, c.field);
    EXPECT_EQ(form.Text(c.field), c.typed);
  }

  // Minutes typed after the degrees reached their maximum are put right by Accept.
  ChangeLocationModel form = Loaded(YourMethodCity());
  Type(form, F::FajrInclinationD, "20");
  Type(form, F::FajrInclinationM, "45");
  EXPECT_FALSE(form.ValidateForAccept());
  EXPECT_EQ(form.FormToRecord().FajrAngle, 120);

  // Edits that do not reach the record are not checked: the fixed intervals of an angle method.
  form = Loaded(YourMethodCity());
  Type(form, F::FajrOffsetH, "9");
  EXPECT_FALSE(form.ValidateForAccept());
  EXPECT_EQ(form.FormToRecord().FajrInterval, 5400);

  // Even unchecked, the record never takes a value outside its range.
  form = Loaded(YourMethodCity());
  Type(form, F::LongDeg, "-1");
  Type(form, F::LatDeg, "99");
  const TLocationRec rec = form.FormToRecord();
  EXPECT_EQ(rec.LongDeg, 0);
  EXPECT_EQ(rec.LatDeg, 65);
}

TEST(ChangeLocationModelTest, DaylightSavingDays) {
  TLocationRec stored = YourMethodCity();
  stored.DST = true;
  stored.DstStart = 88;
  stored.DstEnd = 298;
  ChangeLocationModel form = Loaded(stored);
  EXPECT_EQ(form.Text(F::DaySavingFrom), "29");
  EXPECT_EQ(form.Text(F::MonthSavingFrom), "3");
  EXPECT_EQ(form.Text(F::DaySavingTo), "25");
  EXPECT_EQ(form.Text(F::MonthSavingTo), "10");

  // Whatever the current year: the days of 1998.
  Type(form, F::DaySavingFrom, "1");
  Type(form, F::MonthSavingFrom, "4");
  Type(form, F::DaySavingTo, "31");
  Type(form, F::MonthSavingTo, "12");
  EXPECT_FALSE(form.ValidateForAccept());
  EXPECT_EQ(form.FormToRecord().DstStart, 91);
  EXPECT_EQ(form.FormToRecord().DstEnd, 365);

  // A day and month that form no date are refused with the month's own limit, in the form's
  // language, and the edits stay as typed.
  const struct {
    const char* day;
    const char* month;
    Language lang;
    const char* message;
  } impossible[] = {
      {"31", "2", Language::English,
       "February has no day 31: enter a day between 1 and 28 please."},
      {"30", "2", Language::Arabic, "لا يوجد يوم 30 في شهر شباط، يرجى إدخال يوم بين 1 و 28"},
      {"31", "4", Language::English, "April has no day 31: enter a day between 1 and 30 please."},
      {"31", "11", Language::Arabic,
       "لا يوجد يوم 31 في شهر تشرين الثاني، يرجى إدخال يوم بين 1 و 30"},
  };
  for (const auto& c : impossible) {
    SCOPED_TRACE(std::string(c.day) + "/" + c.month);
    for (const auto& [day, month] : {std::pair{F::DaySavingFrom, F::MonthSavingFrom},
                                     std::pair{F::DaySavingTo, F::MonthSavingTo}}) {
      ChangeLocationModel bad = Loaded(stored, c.lang);
      Type(bad, day, c.day);
      Type(bad, month, c.month);
      EXPECT_FALSE(bad.Exit(day));  // each edit alone is in range
      const auto error = bad.ValidateForAccept();
      ASSERT_TRUE(error.has_value());
      EXPECT_EQ(error->field, day);
      EXPECT_EQ(error->message, c.message);
      EXPECT_EQ(bad.Text(day), c.day);
      EXPECT_EQ(bad.Text(month), c.month);
      EXPECT_EQ(bad.FormToRecord().DstStart, 88);  // never a made-up day
      EXPECT_EQ(bad.FormToRecord().DstEnd, 298);
    }
  }

  // The month is named as the user named it.
  NameLists names = DefaultNameLists();
  names.EMonths[1] = "Feb.";
  names.AMonths[1] = "فبراير";
  for (const auto& [lang, message] :
       {std::pair{Language::English, "Feb. has no day 30: enter a day between 1 and 28 please."},
        std::pair{Language::Arabic, "لا يوجد يوم 30 في شهر فبراير، يرجى إدخال يوم بين 1 و 28"}}) {
    ChangeLocationModel named = Loaded(stored, lang, names);
    Type(named, F::DaySavingFrom, "30");
    Type(named, F::MonthSavingFrom, "2");
    const auto error = named.ValidateForAccept();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, message);
  }

  // Without daylight saving the edits are neither checked nor converted: the days stay.
  stored.DST = false;
  stored.DstStart = 0;
  stored.DstEnd = 0;
  form = Loaded(stored);
  Type(form, F::DaySavingFrom, "31");
  Type(form, F::MonthSavingFrom, "2");
  EXPECT_FALSE(form.ValidateForAccept());
  EXPECT_EQ(form.FormToRecord().DstStart, 0);
  EXPECT_EQ(form.FormToRecord().DstEnd, 0);
  EXPECT_EQ(form.Text(F::DaySavingFrom), "31");
  // Switched on, they are.
  form.DaySavingClick(true);
  EXPECT_TRUE(form.ValidateForAccept().has_value());
}

TEST(ChangeLocationModelTest, AcceptScansTheEditedRecord) {
  const NameLists& names = DefaultNameLists();
  const MonthCaptionContext days{false,         Language::English, 2026,           0,
                                 names.AMonths, names.EMonths,     names.AHMonths, names.EHMonths};
  const EngineContext engine;

  ChangeLocationModel form = Loaded(YourMethodCity());
  ChangeLocationAcceptance result = form.Accept(2026, engine, days);
  ASSERT_FALSE(result.error);
  EXPECT_FALSE(result.store);  // nothing changed: nothing to store
  EXPECT_FALSE(result.track.AnySet());
  EXPECT_TRUE(result.conflictText.empty());
  EXPECT_EQ(result.record, YourMethodCity());

  // The same city moved far north: the scan sees the edit, not the stored record.
  Type(form, F::LatDeg, "62");
  result = form.Accept(2026, engine, days);
  ASSERT_FALSE(result.error);
  EXPECT_TRUE(result.store);
  EXPECT_EQ(result.record.LatDeg, 62);
  EXPECT_TRUE(result.track.AnySet());
  EXPECT_EQ(result.conflictText, EnglishConflictText(result.track, days));
  EXPECT_EQ(form.StoredRecord(), YourMethodCity());

  ChangeLocationModel arabic = Loaded(YourMethodCity(), Language::Arabic);
  Type(arabic, F::LatDeg, "62");
  result = arabic.Accept(2026, engine, days);
  EXPECT_EQ(result.conflictText, ArabicConflictText(result.track, days));

  // Refused: no scan, nothing to store.
  Type(form, F::LatDeg, "70");
  result = form.Accept(2026, engine, days);
  ASSERT_TRUE(result.error);
  EXPECT_FALSE(result.store);
  EXPECT_FALSE(result.track.AnySet());

  form.Stored(result.record);
  EXPECT_FALSE(form.Modified());
}

}  // namespace
}  // namespace vek
