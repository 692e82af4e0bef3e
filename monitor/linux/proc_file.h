#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kerumo {

// A file the kernel writes on demand, such as /proc/stat. It stays open and
// is read again from its start, which gives fresh figures without looking
// the path up twice a second; a file that fails is opened afresh next time.
class ProcFile {
 public:
  explicit ProcFile(std::string path) : path_(std::move(path)) {}
  ProcFile(const ProcFile&) = delete;
  ProcFile& operator=(const ProcFile&) = delete;
  ~ProcFile() { close(); }

  // The first `buffer.size()` bytes as they are now, read with no
  // allocation, or nothing when the file cannot be opened or read.
  std::optional<std::string_view> read(std::span<char> buffer);

 private:
  void close();

  std::string path_;
  int fd_ = -1;
};

}  // namespace kerumo
