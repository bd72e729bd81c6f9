// Reading a whole file, or the names in a folder, back, for tests that check what the program
// wrote.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "foundation/file_io.h"

namespace vek::testing {

// The bytes of file; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The bytes of a file the test expects to be there: a failure of the test when it cannot be read.
inline std::string ExpectFileBytes(const std::filesystem::path& file) {
  std::string bytes;
  EXPECT_EQ(0, ReadWholeFile(file, bytes)) << file;
  return bytes;
}

// The names of the entries in folder, sorted; none when it cannot be read.
inline std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vek::testing
