#pragma once
#include <unistd.h>

namespace kerumo {

// Owns one open file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { closeNow(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int closeNow() {
    const int result = fd_ >= 0 ? ::close(fd_) : 0;
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

}  // namespace kerumo
