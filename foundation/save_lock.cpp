#include "foundation/save_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include "foundation/debug_log.h"

namespace vek {

FolderSaveLock::FolderSaveLock(const std::filesystem::path& folder,
                               std::chrono::milliseconds wait) {
  const std::filesystem::path file = folder / kSaveLockFileName;
  fd_ = FileDescriptor(
      ::open(file.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  if (fd_.get() < 0) {
    DebugLog("Saving without the lock " + file.string() + ": " + std::strerror(errno));
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (::flock(fd_.get(), LOCK_EX | LOCK_NB) == 0) {
      held_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR)
      break;
    if (std::chrono::steady_clock::now() >= deadline)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  DebugLog("Saving without the lock " + file.string() + ": " + std::strerror(errno));
}

}  // namespace vek
