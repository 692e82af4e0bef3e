#include "monitor/linux/proc_parsers.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>

namespace kerumo {
namespace {

// Takes the next line off the front of `text`.
std::string_view nextLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  return line;
}

void skipSpaces(std::string_view& text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
}

// Takes a number off the front of `text`, after any spaces.
std::optional<uint64_t> nextNumber(std::string_view& text) {
  skipSpaces(text);
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{}) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  if (!text.empty() && text.front() != ' ') return std::nullopt;
  return value;
}

uint64_t* counterNamed(MemoryCounters& counters, std::string_view key) {
  if (key == "MemTotal") return &counters.memTotal;
  if (key == "MemAvailable") return &counters.memAvailable;
  if (key == "SwapTotal") return &counters.swapTotal;
  if (key == "SwapFree") return &counters.swapFree;
  return nullptr;
}

}  // namespace

std::optional<MemoryCounters> parseMeminfo(std::string_view text) {
  MemoryCounters counters;
  int found = 0;
  while (!text.empty() && found < 4) {
    std::string_view line = nextLine(text);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    uint64_t* counter = counterNamed(counters, line.substr(0, colon));
    if (counter == nullptr) continue;
    line.remove_prefix(colon + 1);
    const std::optional<uint64_t> value = nextNumber(line);
    if (!value) return std::nullopt;
    *counter = *value;
    ++found;
  }
  if (found < 4) return std::nullopt;
  return counters;
}

std::optional<CpuTimes> parseCpuTimes(std::string_view text) {
  std::string_view line;
  do {
    if (text.empty()) return std::nullopt;
    line = nextLine(text);
  } while (!line.starts_with("cpu "));
  line.remove_prefix(4);

  // user nice system idle iowait irq softirq steal; kernels before steal
  // time existed print fewer, and none print fewer than four.
  std::array<uint64_t, 8> field{};
  std::size_t count = 0;
  for (skipSpaces(line); !line.empty() && count < field.size(); skipSpaces(line)) {
    const std::optional<uint64_t> value = nextNumber(line);
    if (!value) return std::nullopt;
    field.at(count++) = *value;
  }
  if (count < 4) return std::nullopt;
  const auto [user, nice, system, idle, iowait, irq, softirq, steal] = field;
  return CpuTimes{user + nice + system + irq + softirq + steal, idle + iowait};
}

}  // namespace kerumo
