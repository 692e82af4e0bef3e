#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>

#include "platform/file_failure.h"

namespace kerumo {

// What stands at a path when it is not a regular file.
enum class FileKind { Directory, Fifo, Socket, CharacterDevice, BlockDevice, Other };

struct FileMissing {};
struct NotARegularFile {
  FileKind kind = FileKind::Other;
};
struct FileTooLarge {
  std::uintmax_t size = 0;  // bytes, as far as known
};

using SmallFileRead = std::variant<std::string, FileMissing, NotARegularFile, FileTooLarge, FileFailure>;

// Reads a regular file (or one a link leads to) of at most `maxBytes`,
// without waiting on pipes or devices and without changing the file. What
// stands there is judged on the opened file itself, so it cannot be swapped
// between the look and the read; at most `maxBytes` + 1 bytes are read.
SmallFileRead readSmallFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace kerumo
