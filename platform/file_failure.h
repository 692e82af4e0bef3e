#pragma once
#include <filesystem>

namespace kerumo {

// Why a file operation failed, in the terms a user can act on. Each
// operating system maps its own error codes onto these.
// InUse: another program has the file open and keeps others from it
// (Windows' sharing and lock violations; POSIX has no such failure).
enum class FileFailureCause { DiskFull, NoPermission, ReadOnlyFileSystem, QuotaExceeded, InputOutput, InUse, Other };

// The step of reading or replacing a file that failed.
enum class FileStep { Read, Create, Write, Replace };

struct FileFailure {
  FileStep step = FileStep::Read;
  std::filesystem::path path;  // the file the step worked on
  FileFailureCause cause = FileFailureCause::Other;
  int code = 0;  // the system's own error number
  bool operator==(const FileFailure&) const = default;
};

// The cause behind one of this system's error numbers (errno, GetLastError).
FileFailureCause fileFailureCause(int code);

}  // namespace kerumo
