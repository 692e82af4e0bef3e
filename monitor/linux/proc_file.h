#pragma once
#include <optional>
#include <span>
#include <string_view>

namespace kerumo {

// The first `buffer.size()` bytes of a file the kernel writes on demand,
// read with no allocation: these files are read several times a tick.
std::optional<std::string_view> readProcFile(const char* path, std::span<char> buffer);

}  // namespace kerumo
