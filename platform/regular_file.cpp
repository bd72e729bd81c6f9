#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "platform/file_descriptor.h"

namespace vek {

bool FileRead::missing() const {
  return refusal == ReadRefusal::Unreadable && (errnoValue == ENOENT || errnoValue == ENOTDIR);
}

FileRead ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes, std::string& out,
                         std::size_t readAtMost) {
  out.clear();
  FileRead result;
  result.limit = maxBytes;
  const auto fail = [&](ReadRefusal refusal, int e = 0) {
    out.clear();
    out.shrink_to_fit();
    result.refusal = refusal;
    result.errnoValue = e;
    return result;
  };
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0)
    return fail(ReadRefusal::Unreadable, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0)
    return fail(ReadRefusal::Unreadable, errno);
  if (!S_ISREG(st.st_mode))
    return fail(ReadRefusal::NotRegularFile);
  if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > maxBytes)
    return fail(ReadRefusal::TooLarge);
  // A regular file never blocks; the reads below wait for the disk as usual.
  const std::size_t wanted = std::min(readAtMost, maxBytes);
  out.reserve(std::min(wanted, static_cast<std::size_t>(st.st_size)));
  char buffer[1 << 16];
  for (;;) {
    // One byte beyond the limit tells a file that grew while it was read.
    const std::size_t end = wanted == maxBytes && maxBytes < SIZE_MAX ? maxBytes + 1 : wanted;
    const std::size_t room = end - out.size();
    if (room == 0)
      break;
    const ssize_t n = ::read(fd.get(), buffer, std::min(sizeof buffer, room));
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN)
        continue;
      return fail(ReadRefusal::Unreadable, errno);
    }
    if (n == 0)
      break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  if (out.size() > maxBytes)
    return fail(ReadRefusal::TooLarge);
  return result;
}

}  // namespace vek
