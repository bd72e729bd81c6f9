// Whole-file reading and writing with errno results, and the owner-write bit that stands for
// the read-only attribute. Every file the program replaces goes through WriteFileReplacing, so
// that the old file stays whole until the new one is.
#pragma once

#include <chrono>
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

// Whether name is one the program gives its temporary files: "." + a target's name + "." + six
// letters or digits (CreateTemporaryBeside), or one of the fixed prefixes of copies and of the
// drive probe followed by six letters or digits.
bool IsProgramTemporaryName(std::string_view name);

// Removes the program's own temporary files from folder (not its subfolders) that were last
// changed before now - maxAge: what a save or copy killed midway left behind. Only regular files
// of the current user with such a name are removed; a file still being written is younger.
// Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                              std::chrono::system_clock::time_point now,
                              std::chrono::seconds maxAge = std::chrono::minutes(10));

// Reads the whole file into out; 0 on success, else the errno of the failing step.
int ReadWholeFile(const std::filesystem::path& file, std::string& out);

// Why ReadRegularFile refused a file.
enum class ReadRefusal {
  None,
  Unreadable,      // it could not be opened or read: errnoValue says why (ENOENT when missing)
  NotRegularFile,  // a FIFO, a device, a socket or a folder
  TooLarge,        // above the reader's limit
};
struct FileRead {
  ReadRefusal refusal = ReadRefusal::None;
  int errnoValue = 0;     // for Unreadable
  std::size_t limit = 0;  // the limit it was read with
  bool ok() const { return refusal == ReadRefusal::None; }
  bool missing() const;  // Unreadable because there is no such file
};

// Reads a file that the program keeps its data in: a regular file of at most maxBytes. It is
// opened without waiting (a FIFO without a writer, or a device, never holds the reader up), then
// checked, so that a FIFO, a device or a folder is refused before anything is read, and so is a
// file above maxBytes; one that grows past it while it is read is refused too. At most readAtMost
// bytes are read into out (the file's head); out is empty after a refusal.
FileRead ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes, std::string& out,
                         std::size_t readAtMost = static_cast<std::size_t>(-1));

// The reason of a refusal for a message, in the user's language: the DOS error text of an
// unreadable file, else "It is not a regular file" or "It is larger than <limit>".
std::string ReadRefusalText(const FileRead& result, bool arabic);

// Reads at most the first maxBytes of the file into out (fewer when the file is shorter).
int ReadFileHead(const std::filesystem::path& file, std::size_t maxBytes, std::string& out);

// Makes a rename or creation in the file's folder durable; a folder that cannot be synced is
// skipped, since nothing depends on it but crash safety.
void SyncFolderOf(const std::filesystem::path& file);

// Writes data to a new temporary file with a unique name beside target (CreateTemporaryBeside),
// flushes it to disk and renames it over target. On failure the temporary file is removed,
// target is untouched, and the errno is returned; 0 on success.
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
