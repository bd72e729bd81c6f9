#include "locations/location_list.h"

#include <algorithm>
#include <stdexcept>

#include "foundation/text.h"

namespace vek {

TLocation::TLocation(const std::string& country, const TLocationRec& rec, const std::string& state,
                     const std::string& city)
    : Rec(rec) {
  Rec.City = TruncateCodePoints(city, kCityChars);
  Rec.Country = TruncateCodePoints(country, kCountryChars);
  Rec.State = TruncateCodePoints(state, kStateChars);
}

TLocation::TLocation(const TLocationRec& rec) : Rec(rec) {}

TLocation& TLocations::GetItem(int index) {
  if (index < 0 || index >= Count())
    throw std::out_of_range("location list index out of range");
  return *items_[static_cast<std::size_t>(index)];
}

const TLocation& TLocations::GetItem(int index) const {
  return const_cast<TLocations*>(this)->GetItem(index);
}

void TLocations::SetItem(int index, const TLocationRec& rec) {
  GetItem(index).Rec = rec;
  Modified = true;
}

void TLocations::Delete(int index) {
  GetItem(index);  // range check
  items_.erase(items_.begin() + index);
  Modified = true;
}

void TLocations::Append(std::unique_ptr<TLocation> item) {
  items_.push_back(std::move(item));
}

void TLocations::Clear() {
  items_.clear();
}

int TLocations::Find(const std::string& city, const std::string& country,
                     const std::string& state) const {
  for (int i = 0; i < Count(); ++i) {
    const TLocationRec& r = items_[static_cast<std::size_t>(i)]->Rec;
    if (r.City == city && r.Country == country && r.State == state)
      return i;
  }
  return -1;
}

template <typename Less>
void TLocations::SortKeepingCurrent(Less less) {
  const bool hasCurrent = CurrentIndex >= 0 && CurrentIndex < Count();
  const TLocation* current =
      hasCurrent ? items_[static_cast<std::size_t>(CurrentIndex)].get() : nullptr;
  std::stable_sort(items_.begin(), items_.end(),
                   [&](const std::unique_ptr<TLocation>& a, const std::unique_ptr<TLocation>& b) {
                     return less(a->Rec, b->Rec);
                   });
  if (current == nullptr)
    return;
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<std::size_t>(i)].get() == current)
      CurrentIndex = i;
  }
}

namespace {

// Lexicographic comparison of name fields, each ignoring ASCII case.
template <typename... Fields>
bool NamesLess(const TLocationRec& a, const TLocationRec& b, Fields... fields) {
  for (auto field : {fields...}) {
    const int c = CompareAsciiNoCase(a.*field, b.*field);
    if (c != 0)
      return c < 0;
  }
  return false;
}

using NameField = std::string TLocationRec::*;
constexpr NameField kCity = &TLocationRec::City;
constexpr NameField kCountry = &TLocationRec::Country;
constexpr NameField kState = &TLocationRec::State;

}  // namespace

void TLocations::SortByCity() {
  SortKeepingCurrent([](const TLocationRec& a, const TLocationRec& b) {
    return NamesLess(a, b, kCity, kCountry);
  });
}

void TLocations::SortByCountry() {
  SortKeepingCurrent([](const TLocationRec& a, const TLocationRec& b) {
    return NamesLess(a, b, kCountry, kState, kCity);
  });
}

void TLocations::SortByState() {
  // Locations with a state (the US) first, by state and city; the others by country and city.
  SortKeepingCurrent([](const TLocationRec& a, const TLocationRec& b) {
    const bool aHas = !a.State.empty(), bHas = !b.State.empty();
    if (aHas != bHas)
      return aHas;
    return aHas ? NamesLess(a, b, kState, kCity) : NamesLess(a, b, kCountry, kCity);
  });
}

int TLocations::Add(const std::string& country, const std::string& city, const std::string& state) {
  // A new location inherits every setting of the current one; with no current location (an
  // empty list) it starts from a blank record that the user completes in the change dialog.
  const bool hasCurrent = CurrentIndex >= 0 && CurrentIndex < Count();
  auto item = std::make_unique<TLocation>(country, hasCurrent ? Current().Rec : TLocationRec{},
                                          state, city);
  const TLocationRec names = item->Rec;
  items_.push_back(std::move(item));
  Modified = true;
  SortByCountry();
  return Find(names.City, names.Country, names.State);
}

}  // namespace vek
