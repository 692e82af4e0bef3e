#include <filesystem>
#include <fstream>

#include "process_counts.h"

namespace kerumo::soak {
namespace {

// Private memory: what a leak makes grow, unlike shared pages of libraries.
long rssAnonKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = -1;
  while (status >> key) {
    if (key == "RssAnon:" && status >> value) break;
    status.ignore(4096, '\n');
  }
  return value;
}

long openFiles() {
  const std::filesystem::directory_iterator fds("/proc/self/fd");
  return std::distance(begin(fds), end(fds)) - 1;  // less the iterator's own
}

}  // namespace

std::vector<ProcessCount> processCounts() { return {{"RssAnon", rssAnonKb(), " kB"}, {"fds", openFiles(), ""}}; }

}  // namespace kerumo::soak
