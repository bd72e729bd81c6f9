// The debug log, written only while a debug switch (DEBUGVEK or DEBUGVEKLOC) is set.
#pragma once

#include <filesystem>
#include <string_view>

namespace vek {

// The debug log's file: "VEK_LOG.TXT" in the program folder.
std::filesystem::path DebugLogFileFor(const std::filesystem::path& programFolder);

// The log file; set at start from the program folder.
void SetLogFileName(const std::filesystem::path& file);
const std::filesystem::path& LogFileName();

// Appends text and a line end to the log when a debug switch is set; otherwise does nothing.
// A log that cannot be written is skipped silently: logging never stops the program.
void DebugLog(std::string_view text);

}  // namespace vek
