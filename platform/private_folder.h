// A folder that belongs to one user alone: the program keeps its sockets and its temporary files
// in such folders, so that no other user of the machine can take their place or look inside.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>

namespace vek {

// The owner of a folder, given the owner the system reports; tests pretend that another user
// made a folder.
using FolderOwner = std::function<uid_t(const std::filesystem::path&, uid_t reported)>;

// Whether folder is a real folder (not a link) of owner's that nobody else may enter.
bool IsPrivateFolder(const std::filesystem::path& folder, uid_t owner,
                     const FolderOwner& ownerOf = {});

// Makes folder (mode 0700, with its parents) unless it is there, and checks that it belongs to
// owner alone: a real folder, not a link, of owner, whose group and others bits are then
// cleared. 0 or the errno; a relative path is EINVAL, a folder or link of another user is EPERM
// and is left as it is.
int MakePrivateFolder(const std::filesystem::path& folder, uid_t owner,
                      const FolderOwner& ownerOf = {});

}  // namespace vek
