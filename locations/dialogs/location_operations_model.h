// What the location operations dialog decides, without widgets: the cascade of the country,
// state and city lists over the location list (shared with the new-location dialog), the preview
// of today's times of the location shown, and Select, New and Delete.
#pragma once

#include <string>
#include <vector>

#include "locations/dialogs/dialog_context.h"
#include "locations/location_list.h"

namespace vek {

// The one country whose locations carry a state code.
inline constexpr const char* kUsaCountry = "USA";

// The three drop-down lists and the names chosen in them. Each list is kept sorted as the
// control sorts it (ASCII letter case ignored, equal names in the order they were added). The
// state list holds state names; SelState is the two-letter code, and it is empty whenever the
// chosen country is not the USA.
class LocationCascade {
 public:
  explicit LocationCascade(TLocations& list) : list_(list) {}

  TLocations& List() const { return list_; }

  int SelIndex = 0;  // the location whose names the lists show
  std::string SelCountry;
  std::string SelState;
  std::string SelCity;

  const std::vector<std::string>& Countries() const { return countries_; }
  const std::vector<std::string>& States() const { return states_; }
  const std::vector<std::string>& Cities() const { return cities_; }

  // What the lists show: the index of the chosen name in its list, or -1 (nothing shown). The
  // state list shows nothing and is disabled outside the USA.
  int CountryShown() const;
  int CityShown() const;
  int StateShown() const;
  bool StateEnabled() const { return SelCountry == kUsaCountry; }

  // SelCountry, SelState and SelCity := the names of location SelIndex (all empty when there is
  // no such location).
  void LoadSelectedNames();
  // The three lists from the location list in its present order: the 51 state names, each
  // country once, and the cities of SelCountry (FillCities).
  void FillLists();
  // The cities of the locations of SelCountry; for the USA only those with the code SelState.
  void FillCities();
  // Find of the chosen names; when they name no location, the first location of the list is
  // shown instead (SelIndex 0, its names loaded and the lists refilled) and 0 is the result.
  int FindSelected();

  // A country was chosen: SelCountry := country; SelState := for the USA the code of the first
  // state in the list that has locations (the first state when none has), else empty; the city
  // list refilled and SelCity := its first city (empty when none); with find, SelIndex :=
  // FindSelected.
  void ChooseCountry(const std::string& country, bool find);
  // A state was chosen by its name: SelState := its code, the city list refilled, SelCity := the
  // first city; with find, SelIndex := FindSelected.
  void ChooseState(const std::string& stateName, bool find);
  // A city was chosen: SelCity := city; with find, SelIndex := FindSelected.
  void ChooseCity(const std::string& city, bool find);

  // A typed name put into its list at its sorted place.
  void AddCountryItem(const std::string& country);
  void AddCityItem(const std::string& city);

 private:
  TLocations& list_;
  std::vector<std::string> countries_;
  std::vector<std::string> states_;
  std::vector<std::string> cities_;
};

// The preview of today's times: City + "  (" + Country + ")" and the formatted times, seven
// (Imsak first) in Ramadan, else six (Fajr to Isha).
struct TimesPreview {
  std::string Title;
  bool Ramadan = false;
  std::vector<std::string> Times;
};

// The texts of the dialog's messages in the language given.
std::string DeleteLocationQuestion(Language lang);
std::string LastLocationMessage(Language lang);

// The location operations dialog's logic. Every handler leaves the cascade in the state that the
// lists and the preview show.
class LocationOperationsModel {
 public:
  // The context's Locations must be set; Ui is needed by DeleteBtnClick.
  explicit LocationOperationsModel(const LocationDialogContext& context);

  const LocationCascade& Cascade() const { return cascade_; }
  int SelIndex() const { return cascade_.SelIndex; }

  // Shows the current location, with the location list sorted by country.
  void FormCreate();

  void CountryChange(const std::string& country);
  void StateChange(const std::string& stateName);
  void CityChange(const std::string& city);

  // The location shown becomes current; the dialog stays open.
  void SelectBtnClick();
  // The names the new-location dialog gave: the location is added with the settings of the
  // current location and shown. Nothing happens without a country and a city.
  void AddLocation(const std::string& country, const std::string& city, const std::string& state);
  // Asks, then deletes the location shown; its successor (the one before it when it was the last)
  // is shown. When the deleted location was current that one becomes current; otherwise the
  // current location stays current. The last remaining location is never deleted: a message
  // says so. True when a location was deleted.
  bool DeleteBtnClick();

  // Title and times of the location shown.
  TimesPreview LocationsClick() const;

 private:
  // Sorts the location list by country and rebuilds the lists.
  void FillCombos();

  LocationDialogContext context_;
  LocationCascade cascade_;
};

}  // namespace vek
