// Whole-file reading and writing with errno results, and the owner-write bit that stands for
// the read-only attribute. Every file the program replaces goes through WriteFileReplacing, so
// that the old file stays whole until the new one is.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/file_descriptor.h"
#include "platform/file_system.h"
#include "platform/regular_file.h"

namespace vek {

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
// isTemporary, when given, tells the names to remove in place of IsProgramTemporaryName.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                              std::chrono::system_clock::time_point now,
                              std::chrono::seconds maxAge = std::chrono::minutes(10),
                              const std::function<bool(std::string_view)>& isTemporary = {});

// Reads the whole file into out; 0 on success, else the errno of the failing step.
int ReadWholeFile(const std::filesystem::path& file, std::string& out);

// The reason of a refusal for a message, in the user's language: the error text of an unreadable
// file (IoErrorText), else "It is not a regular file" or "It is larger than <limit>".
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

// Replaces a file the user named, as an editor does: through symbolic links the file the last
// one names is replaced (its new version is made and renamed in that file's folder, and the links
// stay), and a file that was there keeps its permission bits. A missing file is made as any new
// file of the program. 0 on success, else the errno of the failing step (ELOOP for a cycle of
// links); on failure every file stays as it was.
int WriteUserFileReplacing(const std::filesystem::path& target, std::string_view data,
                           FileSystem& fs);

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
