// An open file descriptor that is closed when it goes out of scope.
#pragma once

namespace vek {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  ~FileDescriptor();
  int get() const { return fd_; }
  int release();
  // Closes now; 0 or the errno of close.
  int Close();

 private:
  int fd_;
};

}  // namespace vek
