// The debug log, written only while the start-up turned it on (the switch DEBUGVEK or
// DEBUGVEKLOC).
#pragma once

#include <filesystem>
#include <string_view>

namespace vek {

// The debug log's file: "VEK_LOG.TXT" in the program folder.
std::filesystem::path DebugLogFileFor(const std::filesystem::path& programFolder);

// The log file; set at start from the program folder.
void SetLogFileName(const std::filesystem::path& file);
const std::filesystem::path& LogFileName();

// Turns the log on or off, and with it the trace of the location file (DEBUGVEKLOC); the start-up
// sets both from the run's switches.
void SetDebugLogging(bool on, bool traceLocationFile);
bool DebugLogTracesLocationFile();

// Appends text and a line end to the log when it is on; otherwise does nothing.
// A log that cannot be written is skipped silently: logging never stops the program.
void DebugLog(std::string_view text);

}  // namespace vek
