// ZIP archives for tests and benchmarks, made with libzip: as a file or as the bytes of one (the
// servers of Live Update serve those). No test framework here: support/zip_archive.h has what
// tests check with.
#pragma once

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vek::testing {

struct ZipEntry {
  std::string name;
  std::string data;
};

// The time every entry carries, as the DOS time and date fields of a ZIP archive: 2 January 2025,
// 10:00:00. libzip would stamp the time of writing, so that two archives of the same entries made
// either side of a two-second step would differ.
inline constexpr zip_uint16_t kZipEntryDosTime = 10 << 11;
inline constexpr zip_uint16_t kZipEntryDosDate = (2025 - 1980) << 9 | 1 << 5 | 2;

// Writes an archive holding the entries to file, compressed or stored (so that the archive is
// about as large as its entries and their data stay visible), each entry with the fixed time
// above: the same entries always give the same bytes. False when libzip failed.
inline bool WriteZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries,
                     bool store = false) {
  int error = 0;
  zip_t* zip = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (zip == nullptr)
    return false;
  for (const ZipEntry& e : entries) {
    zip_source_t* source = zip_source_buffer(zip, e.data.data(), e.data.size(), 0);
    const zip_int64_t index =
        source == nullptr ? -1 : zip_file_add(zip, e.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0 || zip_file_set_dostime(zip, static_cast<zip_uint64_t>(index), kZipEntryDosTime,
                                          kZipEntryDosDate, 0) != 0) {
      if (index < 0)
        zip_source_free(source);
      zip_discard(zip);
      return false;
    }
    if (store)
      zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(zip) != 0) {
    zip_discard(zip);
    return false;
  }
  return true;
}

// The bytes of an archive holding the entries (WriteZip); empty when libzip failed.
inline std::string ZipBytes(const std::vector<ZipEntry>& entries, bool store = false) {
  TempDir dir;
  const std::filesystem::path file = dir.path() / "archive.zip";
  if (!WriteZip(file, entries, store))
    return {};
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace vek::testing
