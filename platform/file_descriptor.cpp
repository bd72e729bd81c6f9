#include "platform/file_descriptor.h"

#include <unistd.h>

#include <cerrno>

namespace vek {

FileDescriptor::~FileDescriptor() {
  Close();
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.release();
  }
  return *this;
}

int FileDescriptor::release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

int FileDescriptor::Close() {
  if (fd_ < 0)
    return 0;
  const int r = ::close(fd_);
  fd_ = -1;
  return r == 0 ? 0 : errno;
}

}  // namespace vek
