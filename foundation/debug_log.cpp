#include "foundation/debug_log.h"

#include <fstream>

#include "foundation/command_line.h"

namespace vek {

namespace {
std::filesystem::path& StoredLogFileName() {
  static std::filesystem::path file;
  return file;
}
}  // namespace

std::filesystem::path DebugLogFileFor(const std::filesystem::path& programFolder) {
  return programFolder / "VEK_LOG.TXT";
}

void SetLogFileName(const std::filesystem::path& file) {
  StoredLogFileName() = file;
}

const std::filesystem::path& LogFileName() {
  return StoredLogFileName();
}

void DebugLog(std::string_view text) {
  if (!Switches().DebugVek && !Switches().DebugVekLoc)
    return;
  if (StoredLogFileName().empty())
    return;
  std::ofstream log(StoredLogFileName(), std::ios::binary | std::ios::app);
  log << text << "\r\n";
  log.flush();
}

}  // namespace vek
