// The real file system, except for the calls a test tells it to fail.
#pragma once

#include <filesystem>
#include <functional>

#include "platform/file_system.h"

namespace vek::testing {

class FakeFileSystem : public FileSystem {
 public:
  // Each hook returns an errno to fail the call with, or 0 to let the real call run.
  std::function<int(const std::filesystem::path&, const std::filesystem::path&)>
      failRename;  // both renames
  std::function<int(const std::filesystem::path&)> failRemove;
  int renames = 0;
  int removes = 0;

  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    ++renames;
    if (failRename)
      if (const int e = failRename(from, to))
        return e;
    return FileSystem::Rename(from, to);
  }
  int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) override {
    ++renames;
    if (failRename)
      if (const int e = failRename(from, to))
        return e;
    return FileSystem::RenameNoReplace(from, to);
  }
  int Remove(const std::filesystem::path& file) override {
    ++removes;
    if (failRemove)
      if (const int e = failRemove(file))
        return e;
    return FileSystem::Remove(file);
  }
};

}  // namespace vek::testing
