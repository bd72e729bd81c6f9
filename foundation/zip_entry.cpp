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

// An entry of an archive, open for reading, with the size it announces.
struct OpenedEntry {
  std::unique_ptr<zip_t, ZipCloser> zip;
  std::unique_ptr<zip_file_t, ZipFileCloser> file;
  std::uint64_t size = 0;
};

// Opens the entry whose whole name equals entryName ignoring ASCII case. False when the archive
// cannot be read, has no such entry, or the entry announces more than maxBytes.
bool OpenEntry(const fs::path& archive, std::string_view entryName, std::uint64_t maxBytes,
               OpenedEntry& entry) {
  int error = 0;
  // No ZIP_CHECKCONS: it refuses archives whose local headers defer the sizes to a data
  // descriptor, as common archivers write them. The data are checked against their CRC instead.
  entry.zip.reset(zip_open(archive.c_str(), ZIP_RDONLY, &error));
  if (!entry.zip)
    return false;
  const std::string name(entryName);
  const zip_int64_t index = zip_name_locate(entry.zip.get(), name.c_str(), ZIP_FL_NOCASE);
  if (index < 0)
    return false;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(entry.zip.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
      (stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > maxBytes)
    return false;
  entry.file.reset(zip_fopen_index(entry.zip.get(), static_cast<zip_uint64_t>(index), 0));
  entry.size = stat.size;
  return entry.file != nullptr;
}

// Reads the open entry to its end, giving each block to take (which answers false to stop).
// True when exactly the announced size came and the end of the entry (where its checksum is
// checked) was reached without error.
template <typename Take>
bool ReadEntry(OpenedEntry& entry, Take take) {
  std::vector<char> block(kBlock);
  std::uint64_t done = 0;
  bool ok = false;
  for (;;) {
    const zip_int64_t n = zip_fread(entry.file.get(), block.data(), block.size());
    if (n < 0)
      break;  // a read error, damaged data or a bad checksum
    if (n == 0) {
      ok = done == entry.size;
      break;
    }
    done += static_cast<std::uint64_t>(n);
    if (done > entry.size || !take(std::string_view(block.data(), static_cast<std::size_t>(n))))
      break;
  }
  if (zip_fclose(entry.file.release()) != 0)
    ok = false;
  return ok;
}

}  // namespace

bool ExtractZipEntry(const fs::path& archive, std::string_view entryName,
                     const fs::path& destination, std::uint64_t maxBytes) {
  OpenedEntry entry;
  if (!OpenEntry(archive, entryName, maxBytes, entry))
    return false;
  UniqueFile temp = CreateTemporaryBeside(destination);
  if (temp.error != 0)
    return false;
  bool ok =
      ReadEntry(entry, [&](std::string_view data) { return WriteAll(temp.fd.get(), data) == 0; });
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

bool ReadZipEntry(const fs::path& archive, std::string_view entryName, std::uint64_t maxBytes,
                  std::string* out) {
  OpenedEntry entry;
  if (!OpenEntry(archive, entryName, maxBytes, entry))
    return false;
  std::string data;
  const bool ok = ReadEntry(entry, [&](std::string_view block) {
    if (out != nullptr)
      data += block;
    return true;
  });
  if (ok && out != nullptr)
    *out = std::move(data);
  return ok;
}

}  // namespace vek
