// The real file system, except for the calls a test tells it to fail.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/file_system.h"

namespace vek::testing {

class FakeFileSystem : public FileSystem {
 public:
  // Each hook returns an errno to fail the call with, or 0 to let the real call run.
  std::function<int(const std::filesystem::path&, const std::filesystem::path&)>
      failRename;  // both renames
  std::function<int(const std::filesystem::path&)> failRemove;
  // Writes: the number of bytes written before failing with writeError (0: never fails).
  std::size_t writeLimit = 0;
  int writeError = 0;
  // The free space every file system reports; nothing: the real one's.
  std::optional<std::uintmax_t> freeSpace;
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
  int Write(int fd, std::string_view data) override {
    if (writeError != 0 && data.size() > writeLimit) {
      // The first part reaches the file, as on a disk that fills up midway.
      if (const int e = FileSystem::Write(fd, data.substr(0, writeLimit)))
        return e;
      return writeError;
    }
    return FileSystem::Write(fd, data);
  }
  std::optional<std::uintmax_t> FreeSpace(const std::filesystem::path& path) override {
    if (freeSpace)
      return freeSpace;
    return FileSystem::FreeSpace(path);
  }
};

}  // namespace vek::testing
