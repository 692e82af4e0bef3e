#include "monitor/linux/proc_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace kerumo {

std::optional<std::string_view> ProcFile::read(std::span<char> buffer) {
  if (fd_ < 0) fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return std::nullopt;
  std::size_t filled = 0;
  while (filled < buffer.size()) {
    const ssize_t got =
        ::pread(fd_, buffer.data() + filled, buffer.size() - filled, static_cast<off_t>(filled));
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      close();
      return std::nullopt;
    }
    filled += static_cast<std::size_t>(got);
  }
  return std::string_view(buffer.data(), filled);
}

void ProcFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace kerumo
