#include "foundation/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

namespace vek {

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

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

}  // namespace

int ReadFileHead(const std::filesystem::path& file, std::size_t maxBytes, std::string& out) {
  out.clear();
  Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0)
    return errno;
  char buffer[1 << 16];
  while (out.size() < maxBytes) {
    const ssize_t n = ::read(fd.get(), buffer, std::min(sizeof buffer, maxBytes - out.size()));
    if (n < 0) {
      if (errno == EINTR)
        continue;
      const int e = errno;
      out.clear();
      return e;
    }
    if (n == 0)
      break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  return 0;
}

int ReadWholeFile(const std::filesystem::path& file, std::string& out) {
  return ReadFileHead(file, std::numeric_limits<std::size_t>::max(), out);
}

int WriteFileReplacing(const std::filesystem::path& target, const std::filesystem::path& temp,
                       std::string_view data) {
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (fd.get() < 0)
    return errno;
  int e = WriteAll(fd.get(), data);
  if (e == 0 && ::fsync(fd.get()) != 0)
    e = errno;
  if (::close(fd.release()) != 0 && e == 0)
    e = errno;
  if (e == 0 && std::rename(temp.c_str(), target.c_str()) != 0)
    e = errno;
  if (e != 0) {
    ::unlink(temp.c_str());
    return e;
  }
  // Make the rename itself durable; a folder that cannot be synced changes nothing above.
  Fd folder(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0)
    ::fsync(folder.get());
  return 0;
}

bool IsOwnerWritable(const std::filesystem::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) != 0;
}

int MakeOwnerWritable(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0)
    return errno;
  if ((st.st_mode & S_IWUSR) != 0)
    return 0;
  return ::chmod(file.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0 ? 0 : errno;
}

}  // namespace vek
