#include "foundation/zip_entry.h"

#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "foundation/file_io.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

constexpr std::size_t kBlock = 64 * 1024;

// Copies the open entry, which announces size bytes, into fd. True when exactly size bytes came
// and the end of the entry (where its checksum is checked) was reached without error.
bool CopyEntry(zip_file_t* file, std::uint64_t size, int fd) {
  std::vector<char> block(kBlock);
  std::uint64_t done = 0;
  for (;;) {
    const zip_int64_t n = zip_fread(file, block.data(), block.size());
    if (n < 0)
      return false;  // a read error, damaged data or a bad checksum
    if (n == 0)
      return done == size;
    done += static_cast<std::uint64_t>(n);
    if (done > size)
      return false;
    if (WriteAll(fd, std::string_view(block.data(), static_cast<std::size_t>(n))) != 0)
      return false;
  }
}

}  // namespace

bool ExtractZipEntry(const fs::path& archive, std::string_view entryName,
                     const fs::path& destination, std::uint64_t maxBytes) {
  int error = 0;
  // No ZIP_CHECKCONS: it refuses archives whose local headers defer the sizes to a data
  // descriptor, as common archivers write them. The data are checked against their CRC instead.
  std::unique_ptr<zip_t, ZipCloser> zip(zip_open(archive.c_str(), ZIP_RDONLY, &error));
  if (!zip)
    return false;
  const std::string name(entryName);
  const zip_int64_t index = zip_name_locate(zip.get(), name.c_str(), ZIP_FL_NOCASE);
  if (index < 0)
    return false;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(zip.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
      (stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > maxBytes)
    return false;
  std::unique_ptr<zip_file_t, ZipFileCloser> file(
      zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(index), 0));
  if (!file)
    return false;

  UniqueFile temp = CreateTemporaryBeside(destination);
  if (temp.error != 0)
    return false;
  bool ok = CopyEntry(file.get(), stat.size, temp.fd.get());
  if (zip_fclose(file.release()) != 0)
    ok = false;
  if (ok && ::fsync(temp.fd.get()) != 0)
    ok = false;
  if (temp.fd.Close() != 0)
    ok = false;
  if (ok && std::rename(temp.path.c_str(), destination.c_str()) != 0)
    ok = false;
  if (!ok) {
    ::unlink(temp.path.c_str());
    return false;
  }
  SyncFolderOf(destination);
  return true;
}

}  // namespace vek
