#include "platform/file_replace.h"

#include "platform/win32/win32_api.h"

#include <algorithm>
#include <system_error>

namespace kerumo {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { closeNow(); }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool closeNow() {
    const bool ok = !valid() || CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

std::string failure(const std::string& what, DWORD error) {
  return what + ": " + std::system_category().message(static_cast<int>(error));
}

bool writeAll(HANDLE file, const std::string& contents) {
  size_t done = 0;
  while (done < contents.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, contents.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

std::optional<std::string> replaceFileAtomically(const std::filesystem::path& path, const std::string& contents) {
  std::filesystem::path temporary = path;
  temporary += ".new";
  FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file.valid()) return failure("cannot create " + temporary.string(), GetLastError());
  const bool written = writeAll(file.get(), contents) && FlushFileBuffers(file.get());
  const DWORD writeError = GetLastError();
  if (!written || !file.closeNow()) {
    DeleteFileW(temporary.c_str());
    return failure("cannot write " + temporary.string(), writeError);
  }
  // Write-through: the rename has reached the disk when this returns.
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    return failure("cannot replace " + path.string(), error);
  }
  return std::nullopt;
}

}  // namespace kerumo
