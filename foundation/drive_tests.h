// What kind of disk a folder is on: a CD-ROM, and whether the program can write there. The
// original tested drive roots; here the folder itself (normally the program folder) is tested.
#pragma once

#include <filesystem>

namespace vek {

// True when the folder lies on an ISO 9660 or UDF file system.
bool IsCDRomDrive(const std::filesystem::path& folder);

// True when a new file can be created in the folder. The probe file has a unique name and is
// removed again, so nothing is left behind and no existing file is ever touched.
bool DriveIsWritable(const std::filesystem::path& folder);

}  // namespace vek
