// ZIP archive files for tests: made with libzip (support/zip_file.h), and, for entries far larger
// than a test should write, the size an entry announces changed in place.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/zip_file.h"

namespace vek::testing {

// The archive file of the entries (WriteZip), its folder made when missing; stored (not
// compressed) entries keep their data visible.
inline void MakeZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries,
                    bool store = false) {
  std::filesystem::create_directories(file.parent_path());
  ASSERT_TRUE(WriteZip(file, entries, store)) << "libzip could not make " << file;
}

namespace zip_detail {

inline std::uint32_t Le(const std::string& d, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(d[at + static_cast<std::size_t>(i)]);
  return value;
}

inline void PutLe32(std::string& d, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    d[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace zip_detail

// Makes the entry named name of a small archive (no ZIP64 records) announce size bytes of
// uncompressed data, in its local header and in the central directory, as an archive of a huge
// file would; its data stay as they are. The archive needs no more than its few bytes on disk.
inline void AnnounceEntrySize(const std::filesystem::path& file, const std::string& name,
                              std::uint32_t size) {
  std::string d;
  {
    std::ifstream in(file, std::ios::binary);
    d.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  using zip_detail::Le;
  int patched = 0;
  for (std::size_t at = 0; at + 46 <= d.size(); ++at) {
    const std::uint32_t signature = Le(d, at, 4);
    if (signature == 0x04034b50 && d.compare(at + 30, Le(d, at + 26, 2), name) == 0) {
      zip_detail::PutLe32(d, at + 22, size);  // the local header
      ++patched;
    } else if (signature == 0x02014b50 && d.compare(at + 46, Le(d, at + 28, 2), name) == 0) {
      zip_detail::PutLe32(d, at + 24, size);  // the central directory
      ++patched;
    }
  }
  ASSERT_EQ(2, patched) << name << " in " << file;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(d.data(), static_cast<std::streamsize>(d.size()));
  ASSERT_TRUE(out.good()) << file;
}

}  // namespace vek::testing
