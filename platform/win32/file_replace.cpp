#include "platform/file_replace.h"

#include "platform/busy_retry.h"
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

// What a scanner or indexer that has the settings file open for a moment
// makes a rename fail with: it was opened without delete sharing, or part of
// it is locked, or it is on its way to being deleted.
bool heldByAnotherProgram(int error) {
  const auto code = static_cast<DWORD>(error);
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
}

// Replacing a file that another program has open without delete sharing
// fails with "access denied", as a protected file does; only asking for the
// right to delete it tells the two apart: a sharing violation then.
bool heldOpenByAnotherProgram(const std::filesystem::path& file) {
  HANDLE probe = CreateFileW(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

// Write-through: the rename has reached the disk when it returns.
int renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  return static_cast<int>(GetLastError());
}

}  // namespace

std::optional<FileFailure> replaceFileAtomically(const std::filesystem::path& path, const std::string& contents) {
  std::filesystem::path temporary = path;
  temporary += ".new";
  // A leftover from an earlier run, or a link planted under the name, is
  // removed (a link itself, not what it leads to), and the file is created
  // only if nothing is there by then: never written through a link.
  DeleteFileW(temporary.c_str());
  FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file.valid()) return failure(FileStep::Create, temporary, GetLastError());
  const bool written = writeAll(file.get(), contents) && FlushFileBuffers(file.get());
  const DWORD writeError = GetLastError();
  if (!written || !file.closeNow()) {
    DeleteFileW(temporary.c_str());
    return failure(FileStep::Write, temporary, writeError);
  }
  int error = retryWhileBusy([&] { return renameOver(temporary, path); }, heldByAnotherProgram,
                             [](std::chrono::milliseconds pause) { Sleep(static_cast<DWORD>(pause.count())); });
  if (static_cast<DWORD>(error) == ERROR_ACCESS_DENIED && heldOpenByAnotherProgram(path)) error = ERROR_SHARING_VIOLATION;
  if (error != 0) {
    DeleteFileW(temporary.c_str());
    return failure(FileStep::Replace, path, static_cast<DWORD>(error));
  }
  return std::nullopt;
}

}  // namespace kerumo
