// VEK.LOC: any bytes as the location file. A file that is refused is reported and leaves the list
// empty; one that is read saves and reads back as the same locations.
#include <algorithm>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "locations/location_file.h"

namespace vek::fuzz {
namespace {

std::vector<LocationRecBytes> Records(const TLocations& list) {
  std::vector<LocationRecBytes> records;
  for (int i = 0; i < list.Count(); ++i)
    records.push_back(EncodeLocationRec(list.GetItem(i).Rec));
  std::sort(records.begin(), records.end());
  return records;
}

}  // namespace
}  // namespace vek::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  const std::filesystem::path& folder = ScratchFolder();
  WriteInput(folder / kLocationFileName, AsText(data, size));
  const LocationFileContext ctx{folder};
  TLocations list;
  if (const LocationFileResult read = fnReadLocations(list, ctx); !read.ok) {
    Check(list.Count() == 0 && list.CurrentIndex == -1, "a refused file leaves an empty list");
    Check(!read.english.empty() && !read.arabic.empty(), "a refused file says why");
    return 0;
  }
  Check(!list.Modified, "a list just read is not modified");
  list.Modified = true;
  Check(SaveLocations(list, ctx).ok, "the list saves");
  TLocations again;
  Check(fnReadLocations(again, ctx).ok, "the saved file reads");
  Check(Records(again) == Records(list), "the saved file holds the same locations");
  return 0;
}
