#include "platform/file_replace.h"

#include "platform/win32/file_handle.h"

#include <algorithm>

namespace kerumo {
namespace {

FileFailure failure(FileStep step, const std::filesystem::path& path, DWORD error) {
  return FileFailure{step, path, fileFailureCause(static_cast<int>(error)), static_cast<int>(error)};
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

std::optional<FileFailure> replaceFileAtomically(const std::filesystem::path& path, const std::string& contents) {
  std::filesystem::path temporary = path;
  temporary += ".new";
  FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file.valid()) return failure(FileStep::Create, temporary, GetLastError());
  const bool written = writeAll(file.get(), contents) && FlushFileBuffers(file.get());
  const DWORD writeError = GetLastError();
  if (!written || !file.closeNow()) {
    DeleteFileW(temporary.c_str());
    return failure(FileStep::Write, temporary, writeError);
  }
  // Write-through: the rename has reached the disk when this returns.
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    return failure(FileStep::Replace, path, error);
  }
  return std::nullopt;
}

}  // namespace kerumo
