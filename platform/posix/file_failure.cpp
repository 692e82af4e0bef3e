#include "platform/file_failure.h"

#include <cerrno>

namespace kerumo {

FileFailureCause fileFailureCause(int code) {
  switch (code) {
    case ENOSPC: return FileFailureCause::DiskFull;
    case EACCES:
    case EPERM: return FileFailureCause::NoPermission;
    case EROFS: return FileFailureCause::ReadOnlyFileSystem;
    case EDQUOT: return FileFailureCause::QuotaExceeded;
    case EIO: return FileFailureCause::InputOutput;
    default: return FileFailureCause::Other;
  }
}

}  // namespace kerumo
