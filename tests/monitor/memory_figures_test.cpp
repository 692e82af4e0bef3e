#include "monitor/memory_figures.h"

#include <gtest/gtest.h>

namespace kerumo {
namespace {

TEST(MemoryFigures, FreeShareIsRoundedToTheNearestPercent) {
  const struct {
    const char* what;
    MemoryCounters counters;
    std::optional<uint8_t> memory, resources;
  } cases[] = {
      {"no swap", {1000, 250, 0, 0}, 25, 25},
      {"swap counts with memory", {1000, 250, 1000, 750}, 25, 50},
      {"swap in use lowers resources only", {3000, 3000, 1000, 0}, 100, 75},
      {"rounds half up", {200, 1, 0, 0}, 1, 1},
      {"rounds down below half", {1000, 4, 0, 0}, 0, 0},
      {"rounds up above half", {1000, 996, 0, 0}, 100, 100},
      {"available beyond total", {1000, 1200, 0, 0}, 100, 100},
      {"huge machine", {uint64_t{1} << 50, uint64_t{1} << 49, 0, 0}, 50, 50},
      {"no memory at all is unknown", {0, 0, 0, 0}, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(freeMemoryPercent(c.counters), c.memory) << c.what;
    EXPECT_EQ(freeResourcesPercent(c.counters), c.resources) << c.what;
  }
  EXPECT_EQ(freeSwapPercent({1000, 500, 0, 0}), 0) << "no swap means none free";
  EXPECT_EQ(freeSwapPercent({1000, 500, 400, 100}), 25);
}

}  // namespace
}  // namespace kerumo
