#include "locations/dialogs/new_location_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/location_dialog_fixture.h"

namespace vek {
namespace {

using Strings = std::vector<std::string>;

TEST(CleanNewNameTest, TrimsCutsAndRefuses) {
  struct Case {
    const char* typed;
    NewNameStatus status;
    const char* name;
    bool cut;
  };
  const Case cases[] = {
      {"  Tanta \t", NewNameStatus::Ok, "Tanta", false},
      {"", NewNameStatus::Cancelled, "", false},
      {"   ", NewNameStatus::Blank, "", false},
      {"東京", NewNameStatus::NotCp1256, "", false},
      {"Tokyo 東京", NewNameStatus::NotCp1256, "", false},
      {"Tan\x01ta", NewNameStatus::NotCp1256, "", false},  // a control character inside
      {"حلب", NewNameStatus::Ok, "حلب", false},
      {"ABCDEFGHIJKLMNOPQR", NewNameStatus::Ok, "ABCDEFGHIJKLMNOPQR", false},
      {"ABCDEFGHIJKLMNOPQRSTUVWXY", NewNameStatus::Ok, "ABCDEFGHIJKLMNOPQR", true},
      // The blank the cut leaves at the end goes too.
      {"ABCDEFGHIJKLMNOPQ RSTU", NewNameStatus::Ok, "ABCDEFGHIJKLMNOPQ", true},
      // Characters, not bytes: 20 Arabic letters keep 18.
      {"ابتثجحخدذرزسشصضطظعغف", NewNameStatus::Ok, "ابتثجحخدذرزسشصضطظع", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const NewName name = CleanNewName(c.typed);
    EXPECT_EQ(name.Status, c.status);
    if (c.status == NewNameStatus::Ok) {
      EXPECT_EQ(name.Name, c.name);
      EXPECT_EQ(name.Cut, c.cut);
    }
  }
}

using testing::NamedLocation;

// Sorted by country: ALEXANDRIA CAIRO | ABCDEFGHIJKLMNOPQR PARIS | Boston (MA) Albany (NY).
class NewLocationModelTest : public testing::LocationDialogTest {
 protected:
  NewLocationModelTest() {
    Append({NamedLocation("ALEXANDRIA", "EGYPT"), NamedLocation("CAIRO", "EGYPT"),
            NamedLocation("ABCDEFGHIJKLMNOPQR", "FRANCE"), NamedLocation("PARIS", "FRANCE"),
            NamedLocation("Boston", "USA", "MA"), NamedLocation("Albany", "USA", "NY")});
  }

  // A model showing city.
  NewLocationModel Showing(const std::string& city) {
    NewLocationModel model(context);
    model.Reset(IndexOf(city));
    return model;
  }
};

TEST_F(NewLocationModelTest, NewCountryIsUpperCasedAndNeedsANewCity) {
  NewLocationModel model = Showing("CAIRO");
  const LocationCascade& c = model.Cascade();
  EXPECT_EQ(c.Countries(), (Strings{"EGYPT", "FRANCE", "USA"}));
  EXPECT_FALSE(model.Controls().AddBtn);

  model.NewCountryEntered("  narnia ");
  EXPECT_TRUE(model.NewCountryAdded);
  EXPECT_EQ(ui.messages, (Strings{"You must add at least one city to this new country."}));
  EXPECT_EQ(c.Countries(), (Strings{"EGYPT", "FRANCE", "NARNIA", "USA"}));
  EXPECT_EQ(c.CountryShown(), 2);
  EXPECT_TRUE(c.Cities().empty());
  EXPECT_EQ(c.CityShown(), -1);
  EXPECT_EQ(c.SelIndex, IndexOf("CAIRO"));  // no location of the new country to show
  NewLocationControls controls = model.Controls();
  EXPECT_FALSE(controls.NewCountryBtn);
  EXPECT_FALSE(controls.Country);
  EXPECT_FALSE(controls.AddBtn);
  EXPECT_TRUE(controls.NewCityBtn);
  EXPECT_TRUE(controls.City);

  model.NewCityEntered("cair paravel");
  EXPECT_TRUE(model.NewCityAdded);
  EXPECT_EQ(model.NewCountry, "NARNIA");
  EXPECT_EQ(model.NewCity, "Cair paravel");
  EXPECT_EQ(model.NewState, "");
  EXPECT_EQ(c.Cities(), (Strings{"Cair paravel"}));
  EXPECT_EQ(c.CityShown(), 0);
  controls = model.Controls();
  EXPECT_TRUE(controls.AddBtn);
  EXPECT_FALSE(controls.NewCityBtn);
  EXPECT_FALSE(controls.City);
  EXPECT_FALSE(controls.NewCountryBtn);
  EXPECT_EQ(ui.messages.size(), 1u);

  // The next showing starts afresh.
  model.Reset(IndexOf("PARIS"));
  EXPECT_FALSE(model.NewCountryAdded || model.NewCityAdded);
  EXPECT_EQ(c.Countries(), (Strings{"EGYPT", "FRANCE", "USA"}));
  EXPECT_TRUE(model.Controls().NewCountryBtn);
}

TEST_F(NewLocationModelTest, ListedNamesAreOnlyChosen) {
  NewLocationModel model = Showing("CAIRO");
  model.NewCountryEntered("France");  // upper-cases to a listed country
  EXPECT_FALSE(model.NewCountryAdded);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(model.Cascade().SelIndex, IndexOf("ABCDEFGHIJKLMNOPQR"));

  // As typed, in upper case, and once cut to 18 characters (after a beep).
  const struct {
    const char* typed;
    const char* chosen;
  } cases[] = {
      {"PARIS", "PARIS"}, {"paris", "PARIS"}, {"abcdefghijklmnopqrSTUVWXY", "ABCDEFGHIJKLMNOPQR"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    model.NewCityEntered(c.typed);
    EXPECT_FALSE(model.NewCityAdded);
    EXPECT_EQ(model.Cascade().Cities(), (Strings{"ABCDEFGHIJKLMNOPQR", "PARIS"}));
    EXPECT_EQ(model.Cascade().SelCity, c.chosen);
    EXPECT_EQ(model.Cascade().SelIndex, IndexOf(c.chosen));
  }
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_FALSE(model.Controls().AddBtn);
}

TEST_F(NewLocationModelTest, NewCityTakesTheStateChosenThen) {
  NewLocationModel model = Showing("Boston");
  EXPECT_TRUE(model.Controls().State);
  model.StateChange("New York");
  EXPECT_EQ(model.Cascade().SelIndex, IndexOf("Albany"));
  model.NewCityEntered("buffalo");
  EXPECT_EQ(model.NewCountry, "USA");
  EXPECT_EQ(model.NewState, "NY");
  EXPECT_EQ(model.NewCity, "Buffalo");
  EXPECT_FALSE(model.Controls().State);

  // From the USA to another country: the new city gets no state code.
  model.Reset(IndexOf("Boston"));
  model.CountryChange("FRANCE");
  EXPECT_FALSE(model.Controls().State);
  model.NewCityEntered("lyon");
  EXPECT_EQ(model.NewCountry, "FRANCE");
  EXPECT_EQ(model.NewState, "");
}

TEST_F(NewLocationModelTest, UnusableNamesAreRefusedWithAMessage) {
  for (Language lang : {Language::English, Language::Arabic}) {
    context.Lang = lang;
    ui.messages.clear();
    NewLocationModel model = Showing("CAIRO");
    model.NewCityEntered("");  // cancelled: nothing at all
    model.NewCountryEntered("");
    EXPECT_TRUE(ui.messages.empty());
    model.NewCityEntered("   ");
    model.NewCountryEntered("東京");
    EXPECT_EQ(ui.messages, (Strings{BlankNameMessage(lang), NotCp1256NameMessage(lang)}));
    EXPECT_FALSE(model.NewCityAdded || model.NewCountryAdded);
    EXPECT_EQ(model.Cascade().Cities(), (Strings{"ALEXANDRIA", "CAIRO"}));
    EXPECT_EQ(model.Cascade().Countries().size(), 3u);
  }
  EXPECT_NE(BlankNameMessage(Language::Arabic), BlankNameMessage(Language::English));
}

}  // namespace
}  // namespace vek
