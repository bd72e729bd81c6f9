// The in-memory location database: an ordered list of locations with a current one.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "locations/location_record.h"

namespace vek {

class TLocation {
 public:
  // Copies rec, then sets the names, cut to 18 (City, Country) and 2 (State) characters.
  TLocation(const std::string& country, const TLocationRec& rec, const std::string& state,
            const std::string& city);
  explicit TLocation(const TLocationRec& rec);

  bool IsUSA() const { return Rec.Country == "USA"; }

  // The location as one stored 92-byte record.
  void ReadFrom(std::span<const std::uint8_t, kLocationRecSize> record) {
    Rec = DecodeLocationRec(record);
  }
  LocationRecBytes WriteTo() const { return EncodeLocationRec(Rec); }

  TLocationRec Rec;
};

class TLocations {
 public:
  int Count() const { return static_cast<int>(items_.size()); }

  // Throw std::out_of_range for an index outside the list.
  TLocation& GetItem(int index);
  const TLocation& GetItem(int index) const;
  TLocation& Current() { return GetItem(CurrentIndex); }
  const TLocation& Current() const { return GetItem(CurrentIndex); }

  // Overwrites the record of item index; marks the list modified.
  void SetItem(int index, const TLocationRec& rec);
  // Removes item index; marks the list modified. CurrentIndex is left to the caller.
  void Delete(int index);
  // Appends a location as it was read from the file (does not mark the list modified).
  void Append(std::unique_ptr<TLocation> item);
  // Removes every item.
  void Clear();

  // Index of the first item whose three names equal the arguments exactly, or -1.
  int Find(const std::string& city, const std::string& country, const std::string& state) const;

  // Sorting ignores ASCII letter case and keeps equal items in their order; the location that
  // was current stays current (the same item, never a namesake).
  void SortByCity();
  void SortByCountry();
  void SortByState();

  // A new location with the current location's settings and the given names, appended; the
  // list is then sorted by country. Returns Find of the new names (the first of equal names).
  int Add(const std::string& country, const std::string& city, const std::string& state);

  bool Modified = false;
  int CurrentIndex = 0;  // -1 when loading failed

 private:
  template <typename Less>
  void SortKeepingCurrent(Less less);

  std::vector<std::unique_ptr<TLocation>> items_;
};

}  // namespace vek
