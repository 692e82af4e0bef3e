#include "platform/file_failure.h"

#include "platform/win32/win32_api.h"

namespace kerumo {
namespace {

// "The requested file operation failed because the storage quota was
// exceeded"; not every SDK names it.
constexpr DWORD DiskQuotaExceeded = 1295;

}  // namespace

FileFailureCause fileFailureCause(int code) {
  switch (static_cast<DWORD>(code)) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileFailureCause::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD: return FileFailureCause::NoPermission;
    case ERROR_WRITE_PROTECT: return FileFailureCause::ReadOnlyFileSystem;
    case DiskQuotaExceeded: return FileFailureCause::QuotaExceeded;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileFailureCause::InUse;
    case ERROR_IO_DEVICE:
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return FileFailureCause::InputOutput;
    default: return FileFailureCause::Other;
  }
}

}  // namespace kerumo
