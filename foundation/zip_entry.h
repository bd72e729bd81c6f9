// Unpacking one named file from a ZIP archive, the way the program unpacks clock-face pictures
// and sound archives, and reading it the same way without unpacking it (to check a download).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/language.h"
#include "platform/file_system.h"

namespace vek {

// How an extraction ended.
enum class ZipEntryStatus {
  Extracted,
  NotAnArchive,  // the archive cannot be opened or read as a ZIP archive
  NoSuchEntry,   // it has no entry of that name
  TooLarge,      // the entry announces more bytes than the caller allows
  Damaged,       // the entry's data are damaged or shorter or longer than announced
  WriteFailed,   // the destination could not be written: errnoValue says why
  NoRoom,        // the entry announces more bytes than are free where it is to be written
};

struct ZipEntryResult {
  ZipEntryStatus status = ZipEntryStatus::NotAnArchive;
  std::string entryName;        // the entry's name as the archive stores it, once found
  std::uint64_t entrySize = 0;  // the size the entry announces, once found
  std::uint64_t limit = 0;      // the largest entry the caller allowed
  int errnoValue = 0;           // for WriteFailed
  std::uint64_t freeBytes = 0;  // for NoRoom: what the file system had free
  bool ok() const { return status == ZipEntryStatus::Extracted; }
};

// Extracts the entry of archive whose whole name equals entryName ignoring ASCII case to
// destination. The destination is the caller's own path: the entry's name only selects it, so
// an entry inside a folder of the archive, or one named "../x" or "/x", never matches a plain
// name and never decides where data are written. The data go to a temporary file beside
// destination that replaces it only when every byte was read and the checksum is right.
// Anything but Extracted leaves destination untouched and no temporary file behind; an entry
// that announces more than maxBytes is refused before anything is read or written. With room
// given, so is an entry that announces more bytes than room says are free in destination's
// folder (NoRoom).
ZipEntryResult ExtractZipEntry(const std::filesystem::path& archive, std::string_view entryName,
                               const std::filesystem::path& destination, std::uint64_t maxBytes,
                               FileSystem* room = nullptr);

// Reads the entry that ExtractZipEntry would extract, and checks it the same way (every byte
// read, the checksum right, at most maxBytes), writing nothing: into out when it is not null.
// False, with out untouched, where ExtractZipEntry would not extract it. result, when not null,
// gets what ExtractZipEntry would answer (Extracted when it reads).
bool ReadZipEntry(const std::filesystem::path& archive, std::string_view entryName,
                  std::uint64_t maxBytes, std::string* out = nullptr,
                  ZipEntryResult* result = nullptr);

// The message line of a TooLarge result in lang, said of the archive: the entry's name, its size
// in bytes and the limit ("The file S5.WAV in it is too large: 1073741824 bytes (at most
// 512 MiB)").
std::string ZipEntryTooLargeText(const ZipEntryResult& result, Language lang);

}  // namespace vek
