#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace kerumo {

// Replaces `path` with `contents` so that the file is either the old one or
// the complete new one, even if the machine stops midway: the new contents
// go to a file beside it, reach the disk, and are renamed over the old one.
// Returns a description of the failure, if any; the old file is then kept.
std::optional<std::string> replaceFileAtomically(const std::filesystem::path& path, const std::string& contents);

}  // namespace kerumo
