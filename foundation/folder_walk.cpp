#include "foundation/folder_walk.h"

#include <string>
#include <system_error>

#include "foundation/debug_log.h"

namespace vek {

namespace fs = std::filesystem;

namespace {

void LogSkipped(const fs::path& path, const std::error_code& error) {
  DebugLog("Skipped " + path.string() + ": " + error.message());
}

}  // namespace

std::vector<fs::directory_entry> FolderEntries(const fs::path& folder) {
  std::vector<fs::directory_entry> entries;
  std::error_code ec;
  fs::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec))
    entries.push_back(*it);
  if (ec && ec != std::errc::no_such_file_or_directory)
    LogSkipped(folder, ec);
  return entries;
}

bool IsRegularFileEntry(const fs::directory_entry& entry) {
  std::error_code ec;
  const bool regular = entry.is_regular_file(ec);
  if (ec)
    LogSkipped(entry.path(), ec);
  return regular && !ec;
}

bool PathTaken(const fs::path& path) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (st.type() == fs::file_type::not_found)
    return false;
  if (ec)
    LogSkipped(path, ec);
  return true;
}

}  // namespace vek
