#include "locations/dialogs/select_location_model.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/calendar.h"
#include "engine/prayer_times.h"
#include "program/current_location.h"
#include "program/display_texts.h"
#include "support/location_dialog_fixture.h"
#include "support/locations_fixture.h"

namespace vek {
namespace {

TLocationRec Named(const std::string& city, const std::string& country,
                   const std::string& state = "", int latDeg = 30) {
  TLocationRec r = testing::NamedLocation(city, country, state);
  r.LatDeg = static_cast<std::uint8_t>(latDeg);
  r.North = true;
  r.LongDeg = static_cast<std::uint8_t>(latDeg);
  r.St_Longitude = 30;
  return r;
}

void Type(SelectLocationModel& model, std::u32string_view keys) {
  for (char32_t key : keys)
    model.LocationsKeyPress(key);
}

// Sorted by city: 29 PALMS, ALBANY, ALCAIDA, AMMAN, BOSTON, CAIRO, DAMASCUS, NEW YORK.
// By state: ALBANY, NEW YORK (NY) after 29 PALMS (CA) and BOSTON (MA); then the others.
class SelectLocationModelTest : public testing::LocationDialogTest {
 protected:
  SelectLocationModelTest() {
    Append({Named("CAIRO", "EGYPT", "", 30), Named("DAMASCUS", "SYRIA", "", 33),
            Named("NEW YORK", "USA", "NY", 40), Named("Albany", "USA", "NY", 42),
            Named("BOSTON", "USA", "MA", 42), Named("AMMAN", "JORDAN", "", 31),
            Named("29 PALMS", "USA", "CA", 34), Named("Alcaida", "SPAIN", "", 38)});
    list.CurrentIndex = 1;  // DAMASCUS
    context.Today = EncodeDate(2026, 3, 1);
  }

  std::string HighlightedCity(const SelectLocationModel& model) const {
    return model.ItemIndex() < 0 ? "" : list.GetItem(model.ItemIndex()).Rec.City;
  }

  // The preview of a row as the model should show it.
  std::vector<std::string> TimesOf(int row) const {
    const TDayTimesRec t = ComputeTodayTimes(list, row, context.Today, context.Engine);
    std::vector<std::string> out;
    for (int slot = context.IsRamadan ? Imsak : Fajr; slot <= Isha; ++slot)
      out.push_back(FormatPrayerTime(t[static_cast<std::size_t>(slot)], context.Is24H));
    return out;
  }

  // The preview shows the highlighted row: its title and its times.
  void ExpectPreviewOfHighlight(const SelectLocationModel& model) const {
    const SelectLocationModel::Preview& p = model.CurrentPreview();
    ASSERT_GE(model.ItemIndex(), 0);
    EXPECT_EQ(model.ItemIndex(), p.Index);
    const TLocationRec& rec = list.GetItem(model.ItemIndex()).Rec;
    EXPECT_EQ(rec.City + "  (" + rec.Country + ")", p.Title);
    std::vector<std::string> shown;
    for (const SelectLocationModel::PreviewTime& t : p.Times)
      shown.push_back(t.Text);
    EXPECT_EQ(TimesOf(model.ItemIndex()), shown);
  }
};

TEST_F(SelectLocationModelTest, OpensSortedByCityOnTheCurrentLocation) {
  const TLocation* current = &list.Current();
  SelectLocationModel model(context);
  EXPECT_EQ("29 PALMS", list.GetItem(0).Rec.City);
  EXPECT_EQ("NEW YORK", list.GetItem(7).Rec.City);
  EXPECT_EQ(current, &list.Current());
  EXPECT_EQ(list.CurrentIndex, model.ItemIndex());
  ExpectPreviewOfHighlight(model);
  EXPECT_EQ(0, model.SelectSortColumn());
  EXPECT_EQ("", model.SelectSearchText());
  EXPECT_TRUE(model.Label(0).Visible);
  EXPECT_FALSE(model.Label(1).Visible);
  EXPECT_FALSE(model.Label(2).Visible);
  EXPECT_EQ("Search for: ", model.Label(0).Caption);
}

TEST_F(SelectLocationModelTest, IncrementalSearch) {
  struct Case {
    const char* name;
    int section;  // header clicked first; -1 none
    std::u32string_view keys;
    const char* highlighted;
    const char* searchText;
    int labelColumn;
    const char* label;
    int beeps;
  };
  const Case cases[] = {
      {"a name that begins with the text, either case", -1, U"cAi", "CAIRO", "CAI", 0,
       "Search for: CAI", 0},
      {"a beginning before an earlier row holding the text", -1, U"al", "Albany", "AL", 0,
       "Search for: AL", 0},
      {"a word of a name", -1, U"york", "NEW YORK", "YORK", 0, "Search for: YORK", 0},
      {"a word before an earlier row holding the text", -1, U"p", "29 PALMS", "P", 0,
       "Search for: P", 0},
      {"part of a name anywhere", -1, U"aid", "Alcaida", "AID", 0, "Search for: AID", 0},
      {"a digit and a blank", -1, U"9 p", "29 PALMS", "9 P", 0, "Search for: 9 P", 0},
      {"by country", 2, U"yr", "DAMASCUS", "YR", 1, "Search for: YR", 0},
      {"by the state code", 3, U"ny", "Albany", "NY", 2, "Search for: NY", 0},
      {"a miss beeps and keeps the highlight", -1, U"cax", "CAIRO", "", 0, "Search for: CAX", 1},
      {"after a miss the next key starts again", -1, U"caxbo", "BOSTON", "BO", 0, "Search for: BO",
       1},
      {"an Arabic letter is refused", -1, U"ca\u0628", "CAIRO", "CA", 0, "Search for: CA", 1},
      {"backspace is not a search key", -1, U"ca\b", "CAIRO", "CA", 0, "Search for: CA", 1},
      {"Esc empties the search text", -1, U"ca\x1b", "CAIRO", "", 0, "Search for: CA", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui.beeps = 0;
    SelectLocationModel model(context);
    if (c.section >= 0)
      model.LocationsHeaderSectionClick(c.section);
    Type(model, c.keys);
    EXPECT_EQ(c.highlighted, HighlightedCity(model));
    EXPECT_EQ(c.searchText, model.SelectSearchText());
    EXPECT_EQ(c.label, model.Label(c.labelColumn).Caption);
    EXPECT_EQ(c.beeps, ui.beeps);
    ExpectPreviewOfHighlight(model);
  }
}

TEST(SelectLocationSearch, TypingACityNameFindsThatCityInTheShippedList) {
  TLocations list;
  ASSERT_TRUE(testing::LoadShippedLocations(list));
  list.CurrentIndex = 0;
  testing::FakeUi ui;
  LocationDialogContext context;
  context.Locations = &list;
  context.Ui = &ui;
  const struct {
    std::u32string_view keys;
    const char* city;
  } cases[] = {
      {U"london", "LONDON"},  // not EAST LONDON; the two LONDONs follow in list order
      {U"toro", "TORONTO"},   // not BOCAS DEL TORO
      {U"makk", "MAKKAH"},   {U"mak", "MAKAMBA"},  // the first name beginning with MAK, not BAMAKO
      {U"cair", "CAIRNS"},
  };
  for (const auto& c : cases) {
    SelectLocationModel model(context);
    Type(model, c.keys);
    ASSERT_GE(model.ItemIndex(), 0);
    EXPECT_EQ(c.city, list.GetItem(model.ItemIndex()).Rec.City);
  }
  SelectLocationModel model(context);
  Type(model, U"qqq");
  EXPECT_EQ(1, ui.beeps);
}

TEST_F(SelectLocationModelTest, ArabicSearchCaptionPutsTheTextFirst) {
  context.Lang = Language::Arabic;
  SelectLocationModel model(context);
  EXPECT_EQ(" :بحث عن", model.Label(0).Caption);
  Type(model, U"dam");
  EXPECT_EQ("DAM :بحث عن", model.Label(0).Caption);
}

TEST_F(SelectLocationModelTest, EverySortKeepsTheCurrentLocationAndThePreviewFollows) {
  for (int section : {1, 2, 3, 0}) {
    SCOPED_TRACE(section);
    SelectLocationModel model(context);
    const TLocation* current = &list.Current();
    model.LocationsClick(0);  // another row is highlighted and previewed
    Type(model, U"am");
    const std::vector<std::string> before = [&] {
      std::vector<std::string> cities;
      for (int i = 0; i < list.Count(); ++i)
        cities.push_back(list.GetItem(i).Rec.City);
      return cities;
    }();
    model.LocationsHeaderSectionClick(section);
    EXPECT_EQ(current, &list.Current());
    EXPECT_EQ(list.CurrentIndex, model.ItemIndex());
    ExpectPreviewOfHighlight(model);
    EXPECT_EQ("", model.SelectSearchText());
    if (section == 0) {
      // The number sorts nothing and leaves the labels as they were.
      for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(before[static_cast<std::size_t>(i)], list.GetItem(i).Rec.City);
      EXPECT_TRUE(model.Label(model.SelectSortColumn()).Visible);
    } else {
      EXPECT_EQ(section - 1, model.SelectSortColumn());
      for (int column = 0; column < 3; ++column)
        EXPECT_EQ(column == section - 1, model.Label(column).Visible);
    }
  }
  // By state the US locations come first, by state code.
  SelectLocationModel model(context);
  model.LocationsHeaderSectionClick(3);
  EXPECT_EQ("29 PALMS", list.GetItem(0).Rec.City);
  EXPECT_EQ("Albany", list.GetItem(2).Rec.City);
}

TEST_F(SelectLocationModelTest, SelectTakesTheLocationShown) {
  SelectLocationModel model(context);
  Type(model, U"new");
  ASSERT_EQ("NEW YORK", HighlightedCity(model));
  ASSERT_EQ("NEW YORK  (USA)", model.CurrentPreview().Title);
  EXPECT_TRUE(model.SelectBtnClick());
  EXPECT_EQ("NEW YORK", list.Current().Rec.City);
}

TEST_F(SelectLocationModelTest, PreviewHasImsakInRamadanOnly) {
  for (bool ramadan : {false, true}) {
    SCOPED_TRACE(ramadan);
    context.IsRamadan = ramadan;
    SelectLocationModel model(context);
    const auto& times = model.CurrentPreview().Times;
    ASSERT_EQ(ramadan ? 7u : 6u, times.size());
    EXPECT_EQ(ramadan ? Imsak : Fajr, times.front().Slot);
    EXPECT_EQ(Isha, times.back().Slot);
    ExpectPreviewOfHighlight(model);
  }
}

TEST_F(SelectLocationModelTest, RowTextsShowNumberNamesAndStateName) {
  SelectLocationModel model(context);
  model.LocationsHeaderSectionClick(3);
  const auto row = [&](int i) {
    const SelectLocationModel::RowTexts t = model.RowText(i);
    return std::vector<std::string>{t.Number, t.City, t.Country, t.State};
  };
  EXPECT_EQ((std::vector<std::string>{"1", "29 PALMS", "USA", "California"}), row(0));
  EXPECT_EQ((std::vector<std::string>{"3", "Albany", "USA", "New York"}), row(2));
  EXPECT_EQ((std::vector<std::string>{"5", "CAIRO", "EGYPT", ""}), row(4));
  EXPECT_EQ((std::vector<std::string>{"", "", "", ""}), row(8));
}

TEST_F(SelectLocationModelTest, DateButtonNamesTheOtherCalendar) {
  bool hijri = false;
  int toggles = 0;
  context.HijriMode = [&] { return hijri; };
  context.ToggleDateMode = [&] {
    hijri = !hijri;
    ++toggles;
  };
  for (Language lang : {Language::English, Language::Arabic}) {
    context.Lang = lang;
    SelectLocationModel model(context);
    const bool arabic = lang == Language::Arabic;
    EXPECT_EQ(arabic ? "هجري" : "Hijri", model.DateButtonCaption());
    model.DateBtnClick();
    EXPECT_EQ(arabic ? "ميلادي" : "Gregorian", model.DateButtonCaption());
    model.DateBtnClick();
  }
  EXPECT_EQ(4, toggles);
}

TEST(SelectLocationModel, EmptyListHasNoHighlightAndSelectChangesNothing) {
  TLocations list;
  list.CurrentIndex = -1;
  testing::FakeUi ui;
  LocationDialogContext context;
  context.Locations = &list;
  context.Ui = &ui;
  SelectLocationModel model(context);
  EXPECT_EQ(-1, model.ItemIndex());
  EXPECT_EQ(-1, model.CurrentPreview().Index);
  model.LocationsKeyPress(U'a');
  model.LocationsHeaderSectionClick(2);
  EXPECT_EQ(1, ui.beeps);
  EXPECT_FALSE(model.SelectBtnClick());
  EXPECT_EQ(-1, list.CurrentIndex);
}

}  // namespace
}  // namespace vek
