#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_failure.h"

namespace kerumo {

// Replaces `path` with `contents` so that the file is either the old one or
// the complete new one, even if the machine stops midway: the new contents
// go to a file beside it, reach the disk, and are renamed over the old one.
// On Linux, when `path` is a symbolic link, the file it leads to is replaced
// and the link stays. Returns the failed step, if any; the old file is then kept.
std::optional<FileFailure> replaceFileAtomically(const std::filesystem::path& path, const std::string& contents);

}  // namespace kerumo
