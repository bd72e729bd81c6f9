// The benchmarks' location: the shipped location file read into a list, one city current.
#pragma once

#include <filesystem>

#include "bench/program_folder.h"
#include "locations/location_file.h"

namespace vek::bench {

// Reads a copy of the shipped VEK.LOC and makes city current; false when either fails.
inline bool LoadCity(TLocations& list, const char* city, const char* country) {
  const std::filesystem::path folder = FolderWithShippedLocations();
  if (folder.empty())
    return false;
  const bool read = fnReadLocations(list, {folder}).ok;
  std::filesystem::remove_all(folder);
  list.CurrentIndex = list.Find(city, country, "");
  return read && list.CurrentIndex >= 0;
}

}  // namespace vek::bench
