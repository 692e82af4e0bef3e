#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kerumo::soak {

// One figure of what the process holds, as the system counts it: private
// memory, open files or handles, window-system objects.
struct ProcessCount {
  std::string name;
  long value = 0;
  std::string unit;  // " kB" or empty
};

std::vector<ProcessCount> processCounts();

// From a /proc/<process> folder: private memory, which a leak makes grow
// unlike shared pages of libraries, and open files less `uncounted`; -1
// where it cannot be read.
inline std::vector<ProcessCount> procCounts(const std::filesystem::path& folder, const std::string& prefix,
                                            long uncounted) {
  std::ifstream status(folder / "status");
  std::string key;
  long rssAnon = -1;
  while (status >> key && !(key == "RssAnon:" && status >> rssAnon)) status.ignore(4096, '\n');
  std::error_code error;
  const std::filesystem::directory_iterator fds(folder / "fd", error);
  const long files = error ? -1 : static_cast<long>(std::distance(begin(fds), end(fds))) - uncounted;
  return {{prefix + "RssAnon", rssAnon, " kB"}, {prefix + "fds", files, ""}};
}

}  // namespace kerumo::soak
