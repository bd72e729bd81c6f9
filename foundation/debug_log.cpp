#include "foundation/debug_log.h"

#include <fstream>

namespace vek {

namespace {
std::filesystem::path& StoredLogFileName() {
  static std::filesystem::path file;
  return file;
}

struct Logging {
  bool on = false;
  bool traceLocationFile = false;
};

Logging& StoredLogging() {
  static Logging logging;
  return logging;
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

void SetDebugLogging(bool on, bool traceLocationFile) {
  StoredLogging() = Logging{on, traceLocationFile};
}

bool DebugLogTracesLocationFile() {
  return StoredLogging().traceLocationFile;
}

void DebugLog(std::string_view text) {
  if (!StoredLogging().on)
    return;
  if (StoredLogFileName().empty())
    return;
  std::ofstream log(StoredLogFileName(), std::ios::binary | std::ios::app);
  log << text << "\r\n";
  log.flush();
}

}  // namespace vek
