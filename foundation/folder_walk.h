// Walking a folder and testing its entries without exceptions. A folder of the user's can hold
// links that loop or lead where the user may not enter; examining such an entry fails, and the
// program skips it (noting it in the debug log) instead of stopping.
#pragma once

#include <filesystem>
#include <vector>

namespace vek {

// The entries of folder in the order the folder gives them; nothing when it cannot be read, and
// what was read before an error in the middle.
std::vector<std::filesystem::directory_entry> FolderEntries(const std::filesystem::path& folder);

// Whether the entry is a regular file or a link to one. An entry that cannot be examined is not.
bool IsRegularFileEntry(const std::filesystem::directory_entry& entry);

// Whether something exists at path, following links. A path that cannot be examined counts as
// present, so that nothing is written over it.
bool PathTaken(const std::filesystem::path& path);

}  // namespace vek
