// The timetable as a text file: the location line, the column titles and one line per shown
// row with tab-separated cells exactly as the window shows them, and the legends of the
// high-latitude markers; CR LF line ends, code page 1256.
#pragma once

#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "report/timetable.h"

namespace vek {

// The file's text (UTF-8).
std::string TimetableExportText(const Timetable& report);

// The name the save dialog gave, without a last ")" or "(" (left there by the dialog's
// "(*.TXT)" filter), and with the filter's ".TXT" added when the name has no extension.
std::filesystem::path ExportFileName(const std::string& chosen);

// Writes the file through a temporary file beside it and a rename, so that an old file stays
// whole when anything fails; a file the user named keeps its links and permission bits, as the
// PDF does. 0 or the errno.
int SaveTimetableText(const Timetable& report, const std::filesystem::path& file,
                      FileSystem& fs = RealFileSystem());

// What went wrong with a file: its name, then the error (in Arabic first for an Arabic reader).
std::string FileFailureReason(const std::filesystem::path& file, int error, Language lang);

// The message of a failed save, in the language.
std::string ExportFailureText(const std::filesystem::path& file, int error, Language lang);

}  // namespace vek
