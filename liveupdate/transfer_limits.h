// How many bytes a Live Update transfer may receive: the server's listing no more than its
// reader takes, an offered file no more than the listing gives for it. A server that sends
// more, by mistake or to fill the disk, has its transfer ended there.
#pragma once

#include <cstdint>

namespace vek {

struct TTransferAllowance {
  std::int64_t maxBytes = 0;
  std::int64_t listedSize = -1;  // the listed size it was made of; -1: the listing
};

// The server's listing file, and the FTP listing of its folder.
TTransferAllowance ListingAllowance();

// An offered file of listedSize bytes. A file fetched under its listed name must have that
// size; an archive (go-*.z, gox*.z) holds the listed file compressed, and is allowed the
// framing of a ZIP archive beyond it (headers, directory, and the stored blocks of data that
// does not compress).
TTransferAllowance ItemAllowance(std::int64_t listedSize, bool archive);

}  // namespace vek
