#include "locations/dialogs/location_operations_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "support/location_dialog_fixture.h"

namespace vek {
namespace {

using Strings = std::vector<std::string>;

TLocationRec Named(const std::string& city, const std::string& country,
                   const std::string& state = "", int latDeg = 30) {
  TLocationRec r = testing::NamedLocation(city, country, state);
  r.LatDeg = static_cast<std::uint8_t>(latDeg);
  r.North = true;
  return r;
}

// By country, state and city: ALEXANDRIA CAIRO | PARIS | ALEPPO DAMASCUS | Boston Worcester (MA)
// Albany (NY) Austin (TX). No location in the states before Massachusetts in the state list.
void FillList(TLocations& list) {
  list.Clear();
  for (const TLocationRec& r :
       {Named("PARIS", "FRANCE"), Named("Albany", "USA", "NY"), Named("CAIRO", "EGYPT"),
        Named("Boston", "USA", "MA"), Named("DAMASCUS", "SYRIA", "", 33),
        Named("Austin", "USA", "TX"), Named("ALEXANDRIA", "EGYPT"), Named("ALEPPO", "SYRIA"),
        Named("Worcester", "USA", "MA")})
    list.Append(std::make_unique<TLocation>(r));
}

class LocationOperationsModelTest : public testing::LocationDialogTest {
 protected:
  LocationOperationsModelTest() {
    FillList(list);
    context.Today = EncodeDate(2026, 12, 10);
  }

  std::string CityAt(int index) const { return list.GetItem(index).Rec.City; }

  // The model opened with city current.
  LocationOperationsModel Open(const std::string& city) {
    list.CurrentIndex = IndexOf(city);
    LocationOperationsModel model(context);
    model.FormCreate();
    return model;
  }
};

TEST_F(LocationOperationsModelTest, OpensOnTheCurrentLocationWhateverTheListOrder) {
  list.SortByCity();  // as the select dialog leaves it
  LocationOperationsModel model = Open("Albany");
  const LocationCascade& c = model.Cascade();
  EXPECT_EQ(CityAt(model.SelIndex()), "Albany");
  EXPECT_EQ(model.SelIndex(), list.CurrentIndex);
  EXPECT_EQ(c.Countries(), (Strings{"EGYPT", "FRANCE", "SYRIA", "USA"}));
  EXPECT_EQ(c.Countries()[static_cast<std::size_t>(c.CountryShown())], "USA");
  EXPECT_TRUE(c.StateEnabled());
  ASSERT_EQ(c.States().size(), 51u);
  EXPECT_EQ(c.States().front(), "Alabama");  // the names sorted
  EXPECT_EQ(c.States()[static_cast<std::size_t>(c.StateShown())], "New York");
  EXPECT_EQ(c.Cities(), (Strings{"Albany"}));
  EXPECT_EQ(c.CityShown(), 0);
  EXPECT_EQ(model.LocationsClick().Title, "Albany  (USA)");

  model.SelectBtnClick();
  EXPECT_EQ(CityAt(list.CurrentIndex), "Albany");
}

TEST_F(LocationOperationsModelTest, CountryAndStateCascade) {
  LocationOperationsModel model = Open("DAMASCUS");
  const LocationCascade& c = model.Cascade();
  EXPECT_FALSE(c.StateEnabled());
  EXPECT_EQ(c.StateShown(), -1);

  // The USA: the first state that has locations, not the first state of the list.
  model.CountryChange("USA");
  EXPECT_EQ(c.SelState, "MA");
  EXPECT_EQ(c.Cities(), (Strings{"Boston", "Worcester"}));
  EXPECT_EQ(CityAt(model.SelIndex()), "Boston");
  EXPECT_EQ(c.States()[static_cast<std::size_t>(c.StateShown())], "Massachusetts");

  model.StateChange("Texas");
  EXPECT_EQ(CityAt(model.SelIndex()), "Austin");
  model.CityChange("Austin");
  EXPECT_EQ(CityAt(model.SelIndex()), "Austin");

  // Leaving the USA drops the state code, so the city of the other country is found.
  model.CountryChange("FRANCE");
  EXPECT_EQ(c.SelState, "");
  EXPECT_FALSE(c.StateEnabled());
  EXPECT_EQ(c.StateShown(), -1);
  EXPECT_EQ(CityAt(model.SelIndex()), "PARIS");

  // A state without locations falls back to the first location of the list.
  model.CountryChange("USA");
  model.StateChange("Alabama");
  EXPECT_EQ(model.SelIndex(), 0);
  EXPECT_EQ(c.SelCountry, "EGYPT");
  EXPECT_EQ(c.Cities(), (Strings{"ALEXANDRIA", "CAIRO"}));
  EXPECT_EQ(c.CityShown(), 0);
  EXPECT_EQ(list.CurrentIndex, IndexOf("DAMASCUS"));  // browsing never changes the current one
}

TEST_F(LocationOperationsModelTest, DeleteShowsTheNextAndKeepsAnotherCurrentLocation) {
  struct Case {
    const char* shown;    // the location deleted
    const char* current;  // the current location before
    const char* nowShown;
    const char* nowCurrent;
  };
  const Case cases[] = {
      {"CAIRO", "CAIRO", "PARIS", "PARIS"},        // the successor becomes current
      {"Austin", "Austin", "Albany", "Albany"},    // the last: the one before it
      {"CAIRO", "DAMASCUS", "PARIS", "DAMASCUS"},  // the current one after it stays
      {"PARIS", "ALEXANDRIA", "ALEPPO", "ALEXANDRIA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.shown) + " with " + c.current + " current");
    FillList(list);
    ui.dialogs.clear();
    ui.answers = {1};

    LocationOperationsModel model = Open(c.shown);
    list.CurrentIndex = IndexOf(c.current);
    EXPECT_TRUE(model.DeleteBtnClick());
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].text, "Are you sure you want to delete this location?");
    EXPECT_EQ(list.Count(), 8);
    EXPECT_EQ(IndexOf(c.shown), -1);
    EXPECT_EQ(CityAt(model.SelIndex()), c.nowShown);
    EXPECT_EQ(model.Cascade().SelCity, c.nowShown);
    EXPECT_EQ(CityAt(list.CurrentIndex), c.nowCurrent);
  }
}

TEST_F(LocationOperationsModelTest, DeleteDeclinedOrOfTheLastLocationDeletesNothing) {
  LocationOperationsModel model = Open("CAIRO");
  ui.answers = {0};
  EXPECT_FALSE(model.DeleteBtnClick());
  EXPECT_EQ(list.Count(), 9);
  EXPECT_FALSE(list.Modified);

  for (Language lang : {Language::English, Language::Arabic}) {
    ui.dialogs.clear();
    ui.messages.clear();
    ui.answers = {1};
    list.Clear();
    list.Append(std::make_unique<TLocation>(Named("CAIRO", "EGYPT")));
    context.Lang = lang;
    LocationOperationsModel single = Open("CAIRO");
    EXPECT_FALSE(single.DeleteBtnClick());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(ui.dialogs.empty());  // not even asked
    EXPECT_EQ(ui.messages, (Strings{LastLocationMessage(lang)}));
  }
  EXPECT_NE(LastLocationMessage(Language::Arabic), LastLocationMessage(Language::English));
}

TEST_F(LocationOperationsModelTest, NewLocationIsShownWithTheSettingsOfTheCurrentOne) {
  LocationOperationsModel model = Open("DAMASCUS");
  model.CountryChange("EGYPT");  // the one shown is not current
  model.AddLocation("SYRIA", "HOMS", "");
  const LocationCascade& c = model.Cascade();
  EXPECT_EQ(CityAt(model.SelIndex()), "HOMS");
  EXPECT_EQ(list.GetItem(model.SelIndex()).Rec.LatDeg, 33);  // from DAMASCUS
  EXPECT_EQ(c.SelCountry, "SYRIA");
  EXPECT_EQ(c.Cities(), (Strings{"ALEPPO", "DAMASCUS", "HOMS"}));
  EXPECT_EQ(c.CityShown(), 2);
  EXPECT_EQ(CityAt(list.CurrentIndex), "DAMASCUS");

  model.AddLocation("SYRIA", "", "");  // nothing to add
  EXPECT_EQ(list.Count(), 10);
}

TEST_F(LocationOperationsModelTest, PreviewShowsSixTimesOrSevenInRamadan) {
  const TimesPreview normal = Open("CAIRO").LocationsClick();
  context.IsRamadan = true;
  const TimesPreview ramadan = Open("CAIRO").LocationsClick();
  EXPECT_EQ(normal.Title, "CAIRO  (EGYPT)");
  ASSERT_EQ(normal.Times.size(), 6u);
  ASSERT_EQ(ramadan.Times.size(), 7u);
  EXPECT_FALSE(normal.Ramadan);
  EXPECT_TRUE(ramadan.Ramadan);
  // The same day: Fajr to Isha agree, Imsak comes first.
  EXPECT_EQ(std::vector<std::string>(ramadan.Times.begin() + 1, ramadan.Times.end()), normal.Times);
  EXPECT_NE(ramadan.Times[0], ramadan.Times[1]);
}

}  // namespace
}  // namespace vek
