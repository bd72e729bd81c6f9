// Locations the tests share: a sample record with every kind of field set, and the shipped
// location file read as the program reads it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "locations/location_file.h"
#include "locations/location_list.h"
#include "support/temp_dir.h"

namespace vek::testing {

// Damascus with its own angles, Fajr 19°30' and Isha 17°00', and a fixed Imsak of 10 minutes.
inline TLocationRec SampleLocationRec() {
  TLocationRec r;
  r.City = "DAMASCUS";
  r.Country = "SYRIA";
  r.LongDeg = 36;
  r.LongMin = 18;
  r.LatDeg = 33;
  r.LatMin = 30;
  r.St_Longitude = 30;
  r.North = true;
  r.Method = TFajrIshaMethod::YourMethod;
  r.FajrAngle = 90;   // 19°30'
  r.IshaAngle = -60;  // 17°00'
  r.FajrInterval = 5400;
  r.IshaInterval = 5400;
  r.ImsakFixedDuration = true;
  r.ImsakDuration = 600;
  return r;
}

// The bytes of a location file: the version record and count sample locations.
inline std::string SampleLocationsImage(int count) {
  TLocations list;
  for (int i = 0; i < count; ++i)
    list.Append(std::make_unique<TLocation>(SampleLocationRec()));
  return LocationsFileImage(list);
}

// Reads a copy of the shipped location file into list.
inline LocationFileResult ReadShippedLocations(TLocations& list) {
  TempDir dir;
  std::filesystem::copy_file(
      std::filesystem::path(VEK_SOURCE_DIR) / "resources" / kLocationFileName,
      dir.path() / kLocationFileName);
  return fnReadLocations(list, {dir.path()});
}

inline bool LoadShippedLocations(TLocations& list) {
  return ReadShippedLocations(list).ok;
}

}  // namespace vek::testing
