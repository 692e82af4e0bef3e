#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/file_descriptor.h"

namespace kerumo {
namespace {

// The most links followed, as the kernel's own limit for a path.
constexpr int MaxLinkDepth = 40;

FileFailure failure(FileStep step, const std::filesystem::path& path) {
  const int code = errno;
  return FileFailure{step, path, fileFailureCause(code), code};
}

// Where the links at `path` lead; the file there need not exist yet.
std::filesystem::path linkTarget(std::filesystem::path path) {
  for (int depth = 0; depth < MaxLinkDepth; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    std::error_code ec;
    const auto target = std::filesystem::read_symlink(path, ec);
    if (ec) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

bool writeAll(int fd, const std::string& contents) {
  size_t done = 0;
  while (done < contents.size()) {
    const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<FileFailure> replaceFileAtomically(const std::filesystem::path& link, const std::string& contents) {
  // Renaming over a link would replace the link itself; the file it leads
  // to is replaced instead, from beside that file.
  const std::filesystem::path path = linkTarget(link);
  const std::filesystem::path temporary = path.string() + ".new";
  // A leftover from an earlier run, or a link planted there, is removed so
  // that the new contents go only into a fresh file of our own.
  ::unlink(temporary.c_str());
  FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!file.valid()) return failure(FileStep::Create, temporary);
  const bool written = writeAll(file.get(), contents) && ::fsync(file.get()) == 0;
  if (!written || file.closeNow() != 0) {
    auto reason = failure(FileStep::Write, temporary);
    ::unlink(temporary.c_str());
    return reason;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    auto reason = failure(FileStep::Replace, path);
    ::unlink(temporary.c_str());
    return reason;
  }
  // The rename itself reaches the disk with the directory.
  const auto directory = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
  return std::nullopt;
}

}  // namespace kerumo
