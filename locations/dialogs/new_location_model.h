// What the new-location dialog decides, without widgets: the cascade of its lists, the rules for
// a typed country or city name, and which of its controls may be used.
#pragma once

#include <string>
#include <string_view>

#include "locations/dialogs/dialog_context.h"
#include "locations/dialogs/location_operations_model.h"
#include "locations/location_fields.h"

namespace vek {

// The texts of the dialog in the language given.
std::string NewCountryPrompt(Language lang);
std::string NewCityPrompt(Language lang);
std::string NewCountryReminder(Language lang);
std::string BlankNameMessage(Language lang);
std::string NotCp1256NameMessage(Language lang);

// Which controls may be used: a location can only be added once a new city has been entered,
// and one showing adds at most one country and one city.
struct NewLocationControls {
  bool AddBtn = false;
  bool NewCountryBtn = false;
  bool NewCityBtn = false;
  bool Country = false;
  bool City = false;
  bool State = false;
};

class NewLocationModel {
 public:
  // The context's Locations must be set (sorted by country, as the operations dialog leaves
  // it); Ui shows the messages and the beep.
  explicit NewLocationModel(const LocationDialogContext& context);

  const LocationCascade& Cascade() const { return cascade_; }

  // The start of a showing: no new country, no new city, the lists showing location index.
  void Reset(int index);

  void CountryChange(const std::string& country);
  void StateChange(const std::string& stateName);
  void CityChange(const std::string& city);

  // The answers of the new-name prompt (empty after Cancel, which changes nothing). A name that
  // is only blanks or holds a character the location file cannot store is refused with a
  // message; one longer than 18 characters is cut after a beep.
  // A country is upper-cased; one not listed yet is added, with a reminder to add a city, and
  // a listed one is simply chosen.
  void NewCountryEntered(const std::string& typed);
  // A city gets a capital first letter; a listed one (as typed, or in upper case) is chosen,
  // any other is added as the new location's city, in the country and state chosen now.
  void NewCityEntered(const std::string& typed);

  NewLocationControls Controls() const;  // UpdateButtons

  bool NewCountryAdded = false;
  bool NewCityAdded = false;
  // The location to add.
  std::string NewCountry;
  std::string NewCity;
  std::string NewState;

 private:
  // The typed name cleaned, or nothing (after its message) when it cannot be used.
  bool Accept(const std::string& typed, std::string& name);

  LocationDialogContext context_;
  LocationCascade cascade_;
};

}  // namespace vek
