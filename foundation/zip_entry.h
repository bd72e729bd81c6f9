// Unpacking one named file from a ZIP archive, the way the program unpacks clock-face pictures
// and sound archives, and reading it the same way without unpacking it (to check a download).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vek {

// Extracts the entry of archive whose whole name equals entryName ignoring ASCII case to
// destination. The destination is the caller's own path: the entry's name only selects it, so
// an entry inside a folder of the archive, or one named "../x" or "/x", never matches a plain
// name and never decides where data are written. The data go to a temporary file beside
// destination that replaces it only when every byte was read and the checksum is right.
// False, with destination untouched and no temporary file left, when the archive cannot be
// read, has no such entry, announces more than maxBytes, holds damaged data, or the file cannot
// be written.
bool ExtractZipEntry(const std::filesystem::path& archive, std::string_view entryName,
                     const std::filesystem::path& destination, std::uint64_t maxBytes);

// Reads the entry that ExtractZipEntry would extract, and checks it the same way (every byte
// read, the checksum right, at most maxBytes), writing nothing: into out when it is not null.
// False, with out untouched, where ExtractZipEntry would be false.
bool ReadZipEntry(const std::filesystem::path& archive, std::string_view entryName,
                  std::uint64_t maxBytes, std::string* out = nullptr);

}  // namespace vek
