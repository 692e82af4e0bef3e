#include "monitor/linux/proc_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace kerumo {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string_view> readProcFile(const char* path, std::span<char> buffer) {
  const FileDescriptor file(::open(path, O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  std::size_t filled = 0;
  while (filled < buffer.size()) {
    const ssize_t got = ::read(file.get(), buffer.data() + filled, buffer.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    filled += static_cast<std::size_t>(got);
  }
  return std::string_view(buffer.data(), filled);
}

}  // namespace kerumo
