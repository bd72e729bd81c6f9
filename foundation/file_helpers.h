// The file routines the rest of the program shares: copying with the file's date, renaming with
// and without messages, replacing a file, deleting a file that is read-only or held by another
// program, cutting extensions, file sizes, and giving a file the date of a listing.
//
// Replacing never destroys the old file before the new one is in place: a rename over the target
// is atomic, and a copy goes to a temporary file beside the target that is renamed over it only
// when it is complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/system_services.h"

namespace vek {

// Copies source over target through a temporary file beside target, with the source's
// last-write time and permission bits. Shows nothing; false (and target untouched) when the
// source cannot be read, the copy cannot be written, or source and target are the same file.
bool CopyFileKeepDate(const std::filesystem::path& source, const std::filesystem::path& target,
                      SystemServices& sys);

// Renames source to a target that does not exist yet; shows why when it cannot.
bool RenameFileWithTexts(const std::filesystem::path& source, const std::filesystem::path& target,
                         SystemServices& sys);
// The same rename without any message.
bool RenameFileQuiet(const std::filesystem::path& source, const std::filesystem::path& target,
                     FileSystem& fs = RealFileSystem());

// Replaces target (when it exists, read-only or not) by source; up to four attempts with a beep
// and a short wait after each failure. The old target stays whole when the replacement fails.
bool SafeRenameFile(const std::filesystem::path& source, const std::filesystem::path& target,
                    SystemServices& sys);

// Makes the file writable and deletes it. True when it is gone, or was never there.
bool ForceDeleteFile(const std::filesystem::path& name, FileSystem& fs = RealFileSystem());

// Deletes a file that another program may hold: retries with waits, and asks the user to close
// that program before the last two attempts. A permission error is reported at once, since
// closing a program cannot cure it. True when the file was deleted.
bool DeleteFileAskingToClose(const std::filesystem::path& name, SystemServices& sys);

// The name without everything from its first (StripFromFirstDot) or last (StripExtension) '.'
// on. Only the last component of a path is looked at; a name without '.' comes back unchanged.
std::string StripFromFirstDot(std::string_view name);
std::string StripExtension(std::string_view name);

// The size in bytes of a regular file; 0 when there is none to read.
std::int64_t FileSizeOfName(const std::filesystem::path& name);

// Gives the file the last-write time of a packed DOS date-time (local time), keeping its
// read-only attribute and its access time. Problems are shown, not returned.
void SetFileDateAndAttributes(const std::filesystem::path& name, std::uint32_t dosDateTime,
                              SystemServices& sys);

}  // namespace vek
