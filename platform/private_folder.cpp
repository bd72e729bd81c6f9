#include "platform/private_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace vek {

namespace {

uid_t OwnerOf(const std::filesystem::path& folder, const struct stat& st,
              const FolderOwner& ownerOf) {
  return ownerOf ? ownerOf(folder, st.st_uid) : st.st_uid;
}

}  // namespace

bool IsPrivateFolder(const std::filesystem::path& folder, uid_t owner, const FolderOwner& ownerOf) {
  struct stat st {};
  return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         OwnerOf(folder, st, ownerOf) == owner && (st.st_mode & 077) == 0;
}

int MakePrivateFolder(const std::filesystem::path& folder, uid_t owner,
                      const FolderOwner& ownerOf) {
  if (folder.empty() || !folder.is_absolute())
    return EINVAL;
  std::error_code ignored;
  std::filesystem::create_directories(folder.parent_path(), ignored);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    return errno;
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0)
    return errno;
  if (!S_ISDIR(st.st_mode))
    return ENOTDIR;
  if (OwnerOf(folder, st, ownerOf) != owner)
    return EPERM;
  if ((st.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0)
    return errno;
  return 0;
}

}  // namespace vek
