// Whole-file reading and writing with errno results, and the owner-write bit that stands for
// the read-only attribute. Every file the program replaces goes through WriteFileReplacing, so
// that the old file stays whole until the new one is.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace vek {

// Owns a file descriptor and closes it when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  ~FileDescriptor();
  int get() const { return fd_; }
  int release();
  // Closes now; 0 or the errno of close.
  int Close();

 private:
  int fd_;
};

// Writes all of data, retrying short writes; 0 or the errno.
int WriteAll(int fd, std::string_view data);

// A new empty file with a unique name in folder, beginning with prefix, created with the
// permissions any new file of the program gets (0666 less the umask). On failure fd is closed
// (-1) and error holds the errno.
struct UniqueFile {
  FileDescriptor fd;
  std::filesystem::path path;
  int error = 0;
};
UniqueFile CreateUniqueFile(const std::filesystem::path& folder, std::string_view prefix);
// The temporary file that replaces target: a unique hidden name beside it, "." + the target's
// name + "." + six characters.
UniqueFile CreateTemporaryBeside(const std::filesystem::path& target);

// Reads the whole file into out; 0 on success, else the errno of the failing step.
int ReadWholeFile(const std::filesystem::path& file, std::string& out);

// Reads at most the first maxBytes of the file into out (fewer when the file is shorter).
int ReadFileHead(const std::filesystem::path& file, std::size_t maxBytes, std::string& out);

// Makes a rename or creation in the file's folder durable; a folder that cannot be synced is
// skipped, since nothing depends on it but crash safety.
void SyncFolderOf(const std::filesystem::path& file);

// Writes data to temp (same folder as target), flushes it to disk and renames it over target.
// On failure temp is removed, target is untouched, and the errno is returned; 0 on success.
int WriteFileReplacing(const std::filesystem::path& target, const std::filesystem::path& temp,
                       std::string_view data);
// The same through a temporary file with a unique name beside target.
int WriteFileReplacing(const std::filesystem::path& target, std::string_view data);

// The same through fs: the data is written with fs.Write and renamed into place with fs.Rename,
// so that a test can fail either step. permissions, when not negative, are the new file's mode
// bits (0600 for a file only its owner may read); otherwise it gets those of any new file.
int WriteFileReplacing(const std::filesystem::path& target, std::string_view data, FileSystem& fs,
                       int permissions = -1);

// Copies source over target through a new temporary file beside target, with the source's
// last-write time and permission bits, and renames it into place through fs. everyTenthBlock,
// when given, runs after every tenth block of 20,048 bytes (to keep windows alive). 0 on
// success, else the errno of the failing step; on failure target is untouched and no temporary
// file is left.
int CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target,
                      FileSystem& fs, const std::function<void()>& everyTenthBlock = {});

// "Read-only" is a missing owner write bit; making a file writable adds that bit.
bool IsOwnerWritable(const std::filesystem::path& file);
int MakeOwnerWritable(const std::filesystem::path& file);  // 0 on success, else errno

}  // namespace vek
