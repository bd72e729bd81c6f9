// What kind of disk a folder is on: a CD-ROM, and whether the program can write there. The
// folder itself (normally the program folder) is tested, not the root of its file system.
#pragma once

#include <filesystem>

#include <string>

namespace vek {

// True when the folder lies on an ISO 9660 or UDF file system.
bool IsCDRomDrive(const std::filesystem::path& folder);

// True when a new file can be created in the folder. The probe file has a unique name and is
// removed again, so nothing is left behind and no existing file is ever touched.
bool DriveIsWritable(const std::filesystem::path& folder);

// Empty when a file can be created in the program folder; otherwise the message, in Arabic and
// English at once, that the program must not run from there. The probe file has a unique name
// and is removed again.
std::string ReadOnlyStartDriveText(const std::filesystem::path& programFolder);

}  // namespace vek
