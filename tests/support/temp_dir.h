// A fresh folder under the system's temporary folder, removed with its contents afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace vek::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vek-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vek::testing
