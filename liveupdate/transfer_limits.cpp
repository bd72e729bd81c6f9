#include "liveupdate/transfer_limits.h"

#include <algorithm>

#include "liveupdate/listing_record.h"

namespace vek {

namespace {

// A ZIP archive of one file of n bytes is at most n, plus its headers and directory (well
// below 64 KiB even with long names and extra fields), plus 5 bytes for each stored block of up
// to 64 KiB.
constexpr std::int64_t kArchiveFraming = 64 * 1024;

}  // namespace

TTransferAllowance ListingAllowance() {
  return {static_cast<std::int64_t>(kMaxListingBytes), -1};
}

TTransferAllowance ItemAllowance(std::int64_t listedSize, bool archive) {
  const std::int64_t listed = std::max<std::int64_t>(0, listedSize);
  if (!archive)
    return {listed, listed};
  return {listed + listed / 1000 + kArchiveFraming, listed};
}

}  // namespace vek
