#include "platform/file_read.h"

#include "platform/win32/file_handle.h"

namespace kerumo {
namespace {

SmallFileRead openFailure(const std::filesystem::path& path, DWORD code) {
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return FileMissing{};
  return FileFailure{FileStep::Read, path, fileFailureCause(static_cast<int>(code)), static_cast<int>(code)};
}

FileFailure readFailure(const std::filesystem::path& path) {
  const auto code = static_cast<int>(GetLastError());
  return FileFailure{FileStep::Read, path, fileFailureCause(code), code};
}

}  // namespace

SmallFileRead readSmallFile(const std::filesystem::path& path, std::size_t maxBytes) {
  // Backup semantics open a folder too, so that it can be named.
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return openFailure(path, GetLastError());
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return readFailure(path);
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return NotARegularFile{FileKind::Directory};
  switch (GetFileType(file.get())) {
    case FILE_TYPE_DISK: break;
    case FILE_TYPE_PIPE: return NotARegularFile{FileKind::Fifo};
    case FILE_TYPE_CHAR: return NotARegularFile{FileKind::CharacterDevice};
    default: return NotARegularFile{FileKind::Other};
  }
  const std::uintmax_t size = (std::uintmax_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  if (size > maxBytes) return FileTooLarge{size};
  std::string contents(maxBytes + 1, '\0');
  std::size_t done = 0;
  while (done < contents.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), contents.data() + done, static_cast<DWORD>(contents.size() - done), &got, nullptr)) {
      return readFailure(path);
    }
    if (got == 0) break;
    done += got;
  }
  if (done > maxBytes) return FileTooLarge{done};
  contents.resize(done);
  return contents;
}

}  // namespace kerumo
