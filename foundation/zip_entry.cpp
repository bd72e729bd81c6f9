#include "foundation/zip_entry.h"

#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <memory>
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

// Copies the open entry, which announces size bytes, into fd. True when exactly size bytes came
// and the end of the entry (where its checksum is checked) was reached without error; a failed
// write leaves its errno in writeError.
bool CopyEntry(zip_file_t* file, std::uint64_t size, int fd, int& writeError) {
  std::vector<char> block(kBlock);
  std::uint64_t done = 0;
  for (;;) {
    const zip_int64_t n = zip_fread(file, block.data(), block.size());
    if (n < 0)
      return false;  // a read error, damaged data or a bad checksum
    if (n == 0)
      return done == size;
    done += static_cast<std::uint64_t>(n);
    if (done > size)
      return false;
    writeError = WriteAll(fd, std::string_view(block.data(), static_cast<std::size_t>(n)));
    if (writeError != 0)
      return false;
  }
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
                               const fs::path& destination, std::uint64_t maxBytes) {
  ZipEntryResult result;
  result.limit = maxBytes;
  int error = 0;
  // No ZIP_CHECKCONS: it refuses archives whose local headers defer the sizes to a data
  // descriptor, as common archivers write them. The data are checked against their CRC instead.
  std::unique_ptr<zip_t, ZipCloser> zip(zip_open(archive.c_str(), ZIP_RDONLY, &error));
  if (!zip)
    return result;
  const std::string name(entryName);
  const zip_int64_t index = zip_name_locate(zip.get(), name.c_str(), ZIP_FL_NOCASE);
  result.status = ZipEntryStatus::NoSuchEntry;
  if (index < 0)
    return result;
  zip_stat_t stat;
  zip_stat_init(&stat);
  result.status = ZipEntryStatus::Damaged;
  if (zip_stat_index(zip.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
      (stat.valid & ZIP_STAT_SIZE) == 0)
    return result;
  result.entryName = (stat.valid & ZIP_STAT_NAME) != 0 && stat.name != nullptr ? stat.name : name;
  result.entrySize = stat.size;
  if (stat.size > maxBytes) {
    result.status = ZipEntryStatus::TooLarge;
    return result;
  }
  std::unique_ptr<zip_file_t, ZipFileCloser> file(
      zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(index), 0));
  if (!file)
    return result;

  UniqueFile temp = CreateTemporaryBeside(destination);
  if (temp.error != 0) {
    result.status = ZipEntryStatus::WriteFailed;
    result.errnoValue = temp.error;
    return result;
  }
  int writeError = 0;
  bool ok = CopyEntry(file.get(), stat.size, temp.fd.get(), writeError);
  if (zip_fclose(file.release()) != 0)
    ok = false;
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
