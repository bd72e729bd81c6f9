// Whole-file reading and writing with errno results, and the owner-write bit that stands for
// the read-only attribute. Every file the program replaces goes through WriteFileReplacing, so
// that the old file stays whole until the new one is.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vek {

// Reads the whole file into out; 0 on success, else the errno of the failing step.
int ReadWholeFile(const std::filesystem::path& file, std::string& out);

// Reads at most the first maxBytes of the file into out (fewer when the file is shorter).
int ReadFileHead(const std::filesystem::path& file, std::size_t maxBytes, std::string& out);

// Writes data to temp (same folder as target), flushes it to disk and renames it over target.
// On failure temp is removed, target is untouched, and the errno is returned; 0 on success.
int WriteFileReplacing(const std::filesystem::path& target, const std::filesystem::path& temp,
                       std::string_view data);

// "Read-only" is a missing owner write bit; making a file writable adds that bit.
bool IsOwnerWritable(const std::filesystem::path& file);
int MakeOwnerWritable(const std::filesystem::path& file);  // 0 on success, else errno

}  // namespace vek
