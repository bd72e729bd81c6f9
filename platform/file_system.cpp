#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace vek {

int FileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int FileSystem::RenameNoReplace(const std::filesystem::path& from,
                                const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return 0;
  if (errno != EINVAL && errno != ENOSYS)
    return errno;
  // A file system without the atomic test: hard-link the new name, which fails when it exists,
  // then drop the old one.
  if (::link(from.c_str(), to.c_str()) != 0)
    return errno;
  if (::unlink(from.c_str()) != 0) {
    const int e = errno;
    ::unlink(to.c_str());
    return e;
  }
  return 0;
}

int FileSystem::Remove(const std::filesystem::path& file) {
  return ::unlink(file.c_str()) == 0 ? 0 : errno;
}

int FileSystem::SetWritable(const std::filesystem::path& file, bool writable) {
  struct stat st;
  if (::stat(file.c_str(), &st) != 0)
    return errno;
  const mode_t mode = writable ? (st.st_mode | S_IWUSR) : (st.st_mode & ~mode_t{S_IWUSR});
  if ((mode & 07777) == (st.st_mode & 07777))
    return 0;
  return ::chmod(file.c_str(), mode & 07777) == 0 ? 0 : errno;
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return errno;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int FileSystem::Write(int fd, std::string_view data) {
  return WriteAll(fd, data);
}

std::optional<std::uintmax_t> FileSystem::FreeSpace(const std::filesystem::path& path) {
  struct statvfs st;
  if (::statvfs(path.c_str(), &st) != 0)
    return std::nullopt;
  // The blocks an unprivileged writer may use, not those kept back for root.
  return static_cast<std::uintmax_t>(st.f_bavail) * st.f_frsize;
}

FileSystem& RealFileSystem() {
  static FileSystem fs;
  return fs;
}

}  // namespace vek
