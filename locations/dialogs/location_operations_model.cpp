#include "locations/dialogs/location_operations_model.h"

#include <algorithm>

#include "engine/prayer_times.h"
#include "foundation/text.h"
#include "locations/us_states.h"
#include "program/current_location.h"
#include "program/display_texts.h"

namespace vek {

namespace {

// Inserts name after every item that does not sort after it, as a sorted list control does.
void InsertSorted(std::vector<std::string>& items, const std::string& name) {
  const auto at = std::upper_bound(
      items.begin(), items.end(), name,
      [](const std::string& a, const std::string& b) { return CompareAsciiNoCase(a, b) < 0; });
  items.insert(at, name);
}

int IndexOf(const std::vector<std::string>& items, const std::string& name) {
  const auto it = std::find(items.begin(), items.end(), name);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

bool HasUsLocationIn(const TLocations& list, const std::string& code) {
  for (int i = 0; i < list.Count(); ++i) {
    const TLocation& item = list.GetItem(i);
    if (item.IsUSA() && item.Rec.State == code)
      return true;
  }
  return false;
}

}  // namespace

int LocationCascade::CountryShown() const {
  return IndexOf(countries_, SelCountry);
}

int LocationCascade::CityShown() const {
  return IndexOf(cities_, SelCity);
}

int LocationCascade::StateShown() const {
  if (!StateEnabled())
    return -1;
  std::string name;
  if (!UsStateNameFromCode(SelState, name))
    return -1;
  return IndexOf(states_, name);
}

void LocationCascade::LoadSelectedNames() {
  if (SelIndex < 0 || SelIndex >= list_.Count()) {
    SelCountry.clear();
    SelState.clear();
    SelCity.clear();
    return;
  }
  const TLocationRec& rec = list_.GetItem(SelIndex).Rec;
  SelCountry = rec.Country;
  SelState = rec.State;
  SelCity = rec.City;
}

void LocationCascade::FillLists() {
  states_.clear();
  for (int i = 1; i <= kUsStateCount; ++i)
    InsertSorted(states_, UsStateName(i));
  countries_.clear();
  std::string last;
  for (int i = 0; i < list_.Count(); ++i) {
    const std::string& country = list_.GetItem(i).Rec.Country;
    if (i == 0 || country != last) {
      InsertSorted(countries_, country);
      last = country;
    }
  }
  FillCities();
}

void LocationCascade::FillCities() {
  cities_.clear();
  const bool usa = SelCountry == kUsaCountry;
  for (int i = 0; i < list_.Count(); ++i) {
    const TLocationRec& rec = list_.GetItem(i).Rec;
    if (rec.Country == SelCountry && (!usa || rec.State == SelState))
      InsertSorted(cities_, rec.City);
  }
}

int LocationCascade::FindSelected() {
  const int index = list_.Find(SelCity, SelCountry, SelState);
  if (index >= 0)
    return index;
  SelIndex = 0;
  LoadSelectedNames();
  FillLists();
  return 0;
}

void LocationCascade::ChooseCountry(const std::string& country, bool find) {
  SelCountry = country;
  SelState.clear();
  if (SelCountry == kUsaCountry) {
    // The first state in the list's order that has locations, so that choosing the USA shows a
    // US location rather than falling back to the first location of the list.
    std::string first;
    for (const std::string& name : states_) {
      std::string code;
      if (!UsStateCodeFromName(name, code))
        continue;
      if (first.empty())
        first = code;
      if (HasUsLocationIn(list_, code)) {
        SelState = code;
        break;
      }
    }
    if (SelState.empty())
      SelState = first;
  }
  FillCities();
  SelCity = cities_.empty() ? std::string() : cities_.front();
  if (find)
    SelIndex = FindSelected();
}

void LocationCascade::ChooseState(const std::string& stateName, bool find) {
  UsStateCodeFromName(stateName, SelState);
  FillCities();
  SelCity = cities_.empty() ? std::string() : cities_.front();
  if (find)
    SelIndex = FindSelected();
}

void LocationCascade::ChooseCity(const std::string& city, bool find) {
  SelCity = city;
  if (find)
    SelIndex = FindSelected();
}

void LocationCascade::AddCountryItem(const std::string& country) {
  InsertSorted(countries_, country);
}

void LocationCascade::AddCityItem(const std::string& city) {
  InsertSorted(cities_, city);
}

std::string DeleteLocationQuestion(Language lang) {
  return lang == Language::Arabic ? "هل تريد بالتأكيد حذف هذا الموقع؟"
                                  : "Are you sure you want to delete this location?";
}

std::string LastLocationMessage(Language lang) {
  return lang == Language::Arabic ? "لا يمكن حذف الموقع الوحيد المتبقي."
                                  : "The last remaining location cannot be deleted.";
}

LocationOperationsModel::LocationOperationsModel(const LocationDialogContext& context)
    : context_(context), cascade_(*context.Locations) {}

void LocationOperationsModel::FormCreate() {
  TLocations& list = cascade_.List();
  cascade_.SelIndex = list.CurrentIndex;
  cascade_.LoadSelectedNames();
  FillCombos();
  // Sorting moved the current location; show it where it is now.
  cascade_.SelIndex = list.CurrentIndex;
}

void LocationOperationsModel::FillCombos() {
  cascade_.List().SortByCountry();
  cascade_.FillLists();
}

void LocationOperationsModel::CountryChange(const std::string& country) {
  cascade_.ChooseCountry(country, true);
}

void LocationOperationsModel::StateChange(const std::string& stateName) {
  cascade_.ChooseState(stateName, true);
}

void LocationOperationsModel::CityChange(const std::string& city) {
  cascade_.ChooseCity(city, true);
}

void LocationOperationsModel::SelectBtnClick() {
  TLocations& list = cascade_.List();
  if (cascade_.SelIndex >= 0 && cascade_.SelIndex < list.Count())
    list.CurrentIndex = cascade_.SelIndex;
}

void LocationOperationsModel::AddLocation(const std::string& country, const std::string& city,
                                          const std::string& state) {
  if (country.empty() || city.empty())
    return;
  cascade_.SelIndex = cascade_.List().Add(country, city, state);
  cascade_.LoadSelectedNames();
  FillCombos();
}

bool LocationOperationsModel::DeleteBtnClick() {
  TLocations& list = cascade_.List();
  int& sel = cascade_.SelIndex;
  if (sel < 0 || sel >= list.Count())
    return false;
  UiServices& ui = *context_.Ui;
  if (list.Count() <= 1) {
    ui.ShowMessage(LastLocationMessage(context_.Lang));
    return false;
  }
  const int option = context_.Lang == Language::Arabic ? kArabicCaptions : kEnglishCaptions;
  if (ui.AskNoYes(DeleteLocationQuestion(context_.Lang), option) != 1)
    return false;

  // The current location, unless it is the one deleted, stays current at its new index.
  const bool deletingCurrent = list.CurrentIndex == sel;
  const TLocation* current =
      !deletingCurrent && list.CurrentIndex >= 0 && list.CurrentIndex < list.Count()
          ? &list.GetItem(list.CurrentIndex)
          : nullptr;
  list.Delete(sel);
  if (sel >= list.Count())
    --sel;
  list.CurrentIndex = sel;
  for (int i = 0; current != nullptr && i < list.Count(); ++i) {
    if (&list.GetItem(i) == current)
      list.CurrentIndex = i;
  }
  cascade_.LoadSelectedNames();
  FillCombos();
  return true;
}

TimesPreview LocationOperationsModel::LocationsClick() const {
  TimesPreview preview;
  const TLocations& list = cascade_.List();
  const int sel = cascade_.SelIndex;
  preview.Ramadan = context_.IsRamadan;
  if (sel < 0 || sel >= list.Count())
    return preview;
  const TLocationRec& rec = list.GetItem(sel).Rec;
  preview.Title = rec.City + "  (" + rec.Country + ")";
  const TDayTimesRec times = ComputeTodayTimes(list, sel, context_.Today, context_.Engine);
  for (int slot = preview.Ramadan ? Imsak : Fajr; slot <= Isha; ++slot)
    preview.Times.push_back(
        FormatPrayerTime(times[static_cast<std::size_t>(slot)], context_.Is24H));
  return preview;
}

}  // namespace vek
