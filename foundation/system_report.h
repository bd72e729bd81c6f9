// The system-information report that goes with a support e-mail: today's date, the program's
// path and version, the system family, and the memory and disk figures, one value per line.
// The figures are gathered apart from the text, so that the text can be checked from fixed
// figures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/ui_services.h"

namespace vek {

// The family of the system, as the report names it.
enum class SystemFamily { WindowsNT, Windows9x, Other };

struct SystemFigures {
  int Day = 0;
  int Month = 0;
  int Year = 0;
  std::string ProgramPath;  // the running program's full path
  SystemFamily Family = SystemFamily::Other;
  std::uint32_t MemoryLoad = 0;  // percent of the physical memory in use
  std::uint64_t TotalPhys = 0;
  std::uint64_t AvailPhys = 0;
  std::uint64_t FreeDisk = 0;  // free bytes of the program folder's file system
  std::uint64_t TotalPageFile = 0;
  std::uint64_t AvailPageFile = 0;
  std::uint64_t TotalVirtual = 0;
  std::uint64_t AvailVirtual = 0;
};

// The memory figures of a /proc/meminfo text: physical memory (MemTotal, MemAvailable, or
// MemFree where the kernel gives no MemAvailable), the commit space (memory and swap together)
// and the load. Fields missing from the text count as 0.
void ReadMemInfo(std::string_view meminfo, SystemFigures& figures);

// The figures of this system: today's date (y, m, d), /proc/self/exe, /proc/meminfo, the free
// space of programFolder's file system and this process's address space.
SystemFigures CollectSystemFigures(const std::filesystem::path& programFolder, int year, int month,
                                   int day);

// The report: one value per line, each ended by CR LF; the figures from the memory load on with
// thousands separators.
std::string SystemReportText(const SystemFigures& figures, std::string_view version);

// The message that the mail plug-in at pluginPath is missing, in the language.
std::string MissingPluginText(const std::string& pluginPath, bool arabic);

// The report for a support e-mail. report starts empty and declined false. When the plug-in is
// missing the message says so and nothing more happens (no question, empty report). Otherwise
// the user is asked to agree; No, or the countdown running out, sets declined. Yes builds the
// report from figures(): the main program's version, or a sibling program's version words.
void BuildSystemReport(bool isMainProgram, bool arabic, const std::filesystem::path& pluginPath,
                       std::string& report, bool& declined, UiServices& ui,
                       const std::function<SystemFigures()>& figures);

// The mail file that the support e-mail hands to the mail plug-in, in the program folder.
inline constexpr std::string_view kSupportMailFileName = "$$MAIL.txt";
inline constexpr std::string_view kSupportMailSubject = "Customer Support about Zurivo Zazir";

// The mail file's text, lines ended by CR LF: "To: " + address, "Subject: " + the subject,
// "Attachments: " + the attachments joined by ";", a blank line, the report, and the line where
// the user describes the problem, in the language.
std::string SupportMailText(std::string_view address, const std::vector<std::string>& attachments,
                            std::string_view report, bool arabic);

}  // namespace vek
