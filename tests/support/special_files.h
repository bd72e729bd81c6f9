// Files that are no regular files, for tests of readers that must refuse them at once.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>

namespace vek::testing {

// Makes a FIFO at path; true on success.
inline bool MakeFifo(const std::filesystem::path& path) {
  return ::mkfifo(path.c_str(), 0600) == 0;
}

// Runs read, which is handed a FIFO without a writer, and tells whether it returned within a
// few seconds. A reader that waits for a writer is set free afterwards (the FIFO is opened for
// writing and closed), so that a failing test ends instead of hanging.
inline bool ReturnsWithoutWaiting(const std::filesystem::path& fifo,
                                  const std::function<void()>& read) {
  std::future<void> done = std::async(std::launch::async, read);
  const bool atOnce = done.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0)
      ::close(fd);
  }
  return atOnce;
}

}  // namespace vek::testing
