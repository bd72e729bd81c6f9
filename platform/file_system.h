// The few file operations whose failures the program must survive and report: renaming,
// deleting and changing the write bit, and the free space a download must fit in. The program uses
// the real calls; tests put a file system in their place that fails chosen calls, since a test
// running as root cannot make a file unremovable with chmod.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace vek {

// Writes all of data to the open file descriptor, retrying short and interrupted writes; 0 or
// the errno.
int WriteAll(int fd, std::string_view data);

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Each returns 0 on success, else the errno of the failure.
  virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to);
  // A rename that fails with EEXIST when `to` exists: callers rely on it never replacing a file.
  virtual int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);
  virtual int Remove(const std::filesystem::path& file);
  // Adds or takes away the owner write bit (the "read-only attribute").
  virtual int SetWritable(const std::filesystem::path& file, bool writable);
  // Writes all of data to the open file descriptor (WriteAll).
  virtual int Write(int fd, std::string_view data);
  // The bytes that this program may still write on the file system holding path; nothing when
  // the system cannot tell.
  virtual std::optional<std::uintmax_t> FreeSpace(const std::filesystem::path& path);
};

// The real file system.
FileSystem& RealFileSystem();

}  // namespace vek
