#pragma once
#include <string>

#include "platform/file_failure.h"
#include "platform/file_read.h"

namespace kerumo {

// The user-facing words for file trouble, all in one place. Sentences come
// without the final "。", so that a box can end them and a line on standard
// error can go on.

// "ディスクの空き容量が足りません" and the like; the error number when the
// cause has no name of its own.
std::string describeCause(FileFailureCause cause, int code);
// Which step failed on which file, then why: two sentences.
std::string describeFileFailure(const FileFailure& failure);
// What stands where a settings file was expected: "フォルダー", ...
std::string describeFileKind(FileKind kind);

}  // namespace kerumo
