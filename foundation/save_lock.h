// Saves of the program's files in one folder, one at a time across processes: a second copy of
// the program in the same folder (the restart after a Live Update runs one) never saves while
// the first does.
#pragma once

#include <chrono>
#include <filesystem>

#include "foundation/file_io.h"

namespace vek {

// The lock file of a folder: it holds nothing, it is only locked.
inline constexpr const char* kSaveLockFileName = ".VEK.lock";

// An advisory lock (flock) on the folder's lock file, held while the object lives. It waits up
// to wait for another holder to let go. When it cannot be had in that time, or the lock file
// cannot be opened (a read-only folder, a link planted in its place, which is never followed),
// the save goes ahead without it, still through a temporary file and a rename, and Held() is
// false.
class FolderSaveLock {
 public:
  explicit FolderSaveLock(const std::filesystem::path& folder,
                          std::chrono::milliseconds wait = std::chrono::seconds(10));
  FolderSaveLock(const FolderSaveLock&) = delete;
  FolderSaveLock& operator=(const FolderSaveLock&) = delete;
  bool Held() const { return held_; }

 private:
  FileDescriptor fd_;
  bool held_ = false;
};

}  // namespace vek
