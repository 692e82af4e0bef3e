#include "platform/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/file_descriptor.h"

namespace kerumo {
namespace {

FileKind kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return FileKind::Directory;
  if (S_ISFIFO(mode)) return FileKind::Fifo;
  if (S_ISSOCK(mode)) return FileKind::Socket;
  if (S_ISCHR(mode)) return FileKind::CharacterDevice;
  if (S_ISBLK(mode)) return FileKind::BlockDevice;
  return FileKind::Other;
}

FileFailure readFailure(const std::filesystem::path& path, int code) {
  return FileFailure{FileStep::Read, path, fileFailureCause(code), code};
}

// open() refuses a socket without saying so; only then is the path looked
// at by name, to tell the user what is there.
SmallFileRead openFailure(const std::filesystem::path& path, int code) {
  if (code == ENOENT) return FileMissing{};
  struct stat info {};
  if (code == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    return NotARegularFile{kindOf(info.st_mode)};
  }
  return readFailure(path, code);
}

}  // namespace

SmallFileRead readSmallFile(const std::filesystem::path& path, std::size_t maxBytes) {
  // Non-blocking: opening a FIFO must not wait for a writer.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.valid()) return openFailure(path, errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return readFailure(path, errno);
  if (!S_ISREG(info.st_mode)) return NotARegularFile{kindOf(info.st_mode)};
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return FileTooLarge{static_cast<std::uintmax_t>(info.st_size)};
  // One byte more than allowed tells a file that grew since fstat.
  std::string contents(maxBytes + 1, '\0');
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t n = ::read(file.get(), contents.data() + done, contents.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return readFailure(path, errno);
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (done > maxBytes) return FileTooLarge{done};
  contents.resize(done);
  return contents;
}

}  // namespace kerumo
