// The benchmarks' location: the shipped location file read into a list, one city current.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "locations/location_file.h"

namespace vek::bench {

// Reads a copy of the shipped VEK.LOC and makes city current; false when either fails.
inline bool LoadCity(TLocations& list, const char* city, const char* country) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "vek-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    return false;
  const fs::path folder = pattern;
  fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", folder / "VEK.LOC");
  const bool read = fnReadLocations(list, {folder}).ok;
  fs::remove_all(folder);
  list.CurrentIndex = list.Find(city, country, "");
  return read && list.CurrentIndex >= 0;
}

}  // namespace vek::bench
