// Records of a Live Update listing as the tests build them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "liveupdate/listing_record.h"

namespace vek::testing {

// The record of a file in a listing: its name, size and packed DOS date-time.
inline TListingRec ListedFile(std::string name, std::int32_t size, std::uint32_t date,
                              std::uint8_t newerOnly = 0, std::uint8_t module = VEKModule) {
  TListingRec rec;
  rec.Kind = riIsFileInfo;
  rec.State = 1;
  rec.FileName = std::move(name);
  rec.Size = size;
  rec.Date = date;
  rec.NewerOnly = newerOnly;
  rec.Module = module;
  return rec;
}

}  // namespace vek::testing
