#include "platform/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kerumo {
namespace {

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

std::string failure(const std::string& what) { return what + ": " + std::strerror(errno); }

bool writeAll(int fd, const std::string& contents) {
  size_t done = 0;
  while (done < contents.size()) {
    const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> replaceFileAtomically(const std::filesystem::path& path, const std::string& contents) {
  const std::filesystem::path temporary = path.string() + ".new";
  FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!file.valid()) return failure("cannot create " + temporary.string());
  const bool written = writeAll(file.get(), contents) && ::fsync(file.get()) == 0;
  if (!written || file.closeNow() != 0) {
    auto message = failure("cannot write " + temporary.string());
    ::unlink(temporary.c_str());
    return message;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    auto message = failure("cannot replace " + path.string());
    ::unlink(temporary.c_str());
    return message;
  }
  // The rename itself reaches the disk with the directory.
  const auto directory = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
  return std::nullopt;
}

}  // namespace kerumo
