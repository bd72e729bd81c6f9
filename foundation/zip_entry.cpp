#include "foundation/zip_entry.h"

#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/language.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

constexpr std::size_t kBlock = 64 * 1024;

// An entry of an archive, open for reading, with the size it announces.
struct OpenedEntry {
  std::unique_ptr<zip_t, ZipCloser> zip;
  std::unique_ptr<zip_file_t, ZipFileCloser> file;
  std::uint64_t size = 0;
};

// Opens the entry whose whole name equals entryName ignoring ASCII case into entry. False when
// it cannot be opened, with result's status saying why (an entry that announces more than
// maxBytes is TooLarge); result has the entry's stored name and announced size once found.
bool OpenEntry(const fs::path& archive, std::string_view entryName, std::uint64_t maxBytes,
               OpenedEntry& entry, ZipEntryResult& result) {
  result = ZipEntryResult{};
  result.limit = maxBytes;
  int error = 0;
  // No ZIP_CHECKCONS: it refuses archives whose local headers defer the sizes to a data
  // descriptor, as common archivers write them. The data are checked against their CRC instead.
  entry.zip.reset(zip_open(archive.c_str(), ZIP_RDONLY, &error));
  if (!entry.zip)
    return false;
  const std::string name(entryName);
  const zip_int64_t index = zip_name_locate(entry.zip.get(), name.c_str(), ZIP_FL_NOCASE);
  result.status = ZipEntryStatus::NoSuchEntry;
  if (index < 0)
    return false;
  zip_stat_t stat;
  zip_stat_init(&stat);
  result.status = ZipEntryStatus::Damaged;
  if (zip_stat_index(entry.zip.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
      (stat.valid & ZIP_STAT_SIZE) == 0)
    return false;
  result.entryName = (stat.valid & ZIP_STAT_NAME) != 0 && stat.name != nullptr ? stat.name : name;
  result.entrySize = stat.size;
  if (stat.size > maxBytes) {
    result.status = ZipEntryStatus::TooLarge;
    return false;
  }
  entry.file.reset(zip_fopen_index(entry.zip.get(), static_cast<zip_uint64_t>(index), 0));
  entry.size = stat.size;
  return entry.file != nullptr;
}

// Reads the open entry to its end, giving each block to take (which answers false to stop).
// True when exactly the announced size came and the end of the entry (where its checksum is
// checked) was reached without error.
template <typename Take>
bool ReadEntry(OpenedEntry& entry, Take take) {
  std::vector<char> block(kBlock);
  std::uint64_t done = 0;
  bool ok = false;
  for (;;) {
    const zip_int64_t n = zip_fread(entry.file.get(), block.data(), block.size());
    if (n < 0)
      break;  // a read error, damaged data or a bad checksum
    if (n == 0) {
      ok = done == entry.size;
      break;
    }
    done += static_cast<std::uint64_t>(n);
    if (done > entry.size || !take(std::string_view(block.data(), static_cast<std::size_t>(n))))
      break;
  }
  if (zip_fclose(entry.file.release()) != 0)
    ok = false;
  return ok;
}

// The limit as a message gives it: whole mebibytes where it is some, else bytes.
std::string LimitText(std::uint64_t limit, Language lang) {
  constexpr std::uint64_t kMiB = 1024 * 1024;
  if (limit >= kMiB && limit % kMiB == 0)
    return std::to_string(limit / kMiB) + ByLanguage(lang, " MiB", " ميغابايت");
  return std::to_string(limit) + ByLanguage(lang, " bytes", " بايت");
}

}  // namespace

ZipEntryResult ExtractZipEntry(const fs::path& archive, std::string_view entryName,
                               const fs::path& destination, std::uint64_t maxBytes,
                               FileSystem* room) {
  OpenedEntry entry;
  ZipEntryResult result;
  if (!OpenEntry(archive, entryName, maxBytes, entry, result))
    return result;
  if (room != nullptr) {
    const fs::path folder = destination.parent_path();
    const std::optional<std::uintmax_t> free = room->FreeSpace(folder.empty() ? "." : folder);
    if (free && entry.size > *free) {
      result.status = ZipEntryStatus::NoRoom;
      result.freeBytes = *free;
      return result;
    }
  }

  UniqueFile temp = CreateTemporaryBeside(destination);
  if (temp.error != 0) {
    result.status = ZipEntryStatus::WriteFailed;
    result.errnoValue = temp.error;
    return result;
  }
  int writeError = 0;
  bool ok = ReadEntry(entry, [&](std::string_view data) {
    writeError = WriteAll(temp.fd.get(), data);
    return writeError == 0;
  });
  if (ok && ::fsync(temp.fd.get()) != 0)
    writeError = errno;
  if (const int closed = temp.fd.Close(); closed != 0 && writeError == 0)
    writeError = closed;
  if (ok && writeError == 0 && std::rename(temp.path.c_str(), destination.c_str()) != 0)
    writeError = errno;
  if (!ok || writeError != 0) {
    ::unlink(temp.path.c_str());
    if (writeError != 0) {
      result.status = ZipEntryStatus::WriteFailed;
      result.errnoValue = writeError;
    }
    return result;
  }
  SyncFolderOf(destination);
  result.status = ZipEntryStatus::Extracted;
  return result;
}

bool ReadZipEntry(const fs::path& archive, std::string_view entryName, std::uint64_t maxBytes,
                  std::string* out, ZipEntryResult* result) {
  OpenedEntry entry;
  ZipEntryResult opened;
  const bool found = OpenEntry(archive, entryName, maxBytes, entry, opened);
  std::string data;
  const bool ok = found && ReadEntry(entry, [&](std::string_view block) {
                    if (out != nullptr)
                      data += block;
                    return true;
                  });
  if (found)
    opened.status = ok ? ZipEntryStatus::Extracted : ZipEntryStatus::Damaged;
  if (result != nullptr)
    *result = opened;
  if (ok && out != nullptr)
    *out = std::move(data);
  return ok;
}

std::string ZipEntryTooLargeText(const ZipEntryResult& result, Language lang) {
  const std::string size = std::to_string(result.entrySize);
  const std::string limit = LimitText(result.limit, lang);
  if (lang == Language::Arabic)
    return "الملف " + result.entryName + " فيه أكبر من اللازم: " + size + " بايت (الحد الأقصى " +
           limit + ")";
  return "The file " + result.entryName + " in it is too large: " + size + " bytes (at most " +
         limit + ")";
}

}  // namespace vek
