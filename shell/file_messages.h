#pragma once
#include <string>

#include "platform/file_failure.h"
#include "platform/file_read.h"

namespace kerumo {

// The user-facing words for file trouble, all in one place.

// "ディスクの空き容量が足りません" and the like; the error number when the
// cause has no name of its own.
std::string describeCause(FileFailureCause cause, int code);
// One sentence: which step failed on which file, and why.
std::string describeFileFailure(const FileFailure& failure);
// What stands where a settings file was expected: "フォルダー", ...
std::string describeFileKind(FileKind kind);
// Short English words for standard error: "disk full", ...
std::string causeForLog(FileFailureCause cause, int code);

}  // namespace kerumo
