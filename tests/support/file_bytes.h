// Reading a whole file back, for tests that check what the program wrote.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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

}  // namespace vek::testing
