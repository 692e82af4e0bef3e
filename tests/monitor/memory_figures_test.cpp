#include "monitor/memory_figures.h"

#include <gtest/gtest.h>

#include "case_names.h"

namespace kerumo {
namespace {

struct Case {
  const char* what;
  MemoryCounters counters;
  std::optional<uint8_t> memory;
  std::optional<uint8_t> resources;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class MemoryFigures : public ::testing::TestWithParam<Case> {};

TEST_P(MemoryFigures, FreeShareIsRoundedToTheNearestPercent) {
  const Case& c = GetParam();
  EXPECT_EQ(freeMemoryPercent(c.counters), c.memory) << c.what;
  EXPECT_EQ(freeResourcesPercent(c.counters), c.resources) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, MemoryFigures,
    ::testing::Values(Case{"no swap", {1000, 250, 0, 0}, 25, 25},
                      Case{"swap counts with memory", {1000, 250, 1000, 750}, 25, 50},
                      Case{"swap in use lowers resources only", {3000, 3000, 1000, 0}, 100, 75},
                      Case{"rounds half up", {200, 1, 0, 0}, 1, 1},
                      Case{"rounds down below half", {1000, 4, 0, 0}, 0, 0},
                      Case{"rounds up above half", {1000, 996, 0, 0}, 100, 100},
                      Case{"available beyond total", {1000, 1200, 0, 0}, 100, 100},
                      Case{"huge machine", {uint64_t{1} << 50, uint64_t{1} << 49, 0, 0}, 50, 50},
                      Case{"no memory at all is unknown", {0, 0, 0, 0}, std::nullopt, std::nullopt}),
    testing::CaseName());

TEST(MemoryFiguresSwap, NoSwapMeansNoneFree) {
  EXPECT_EQ(freeSwapPercent({1000, 500, 0, 0}), 0);
  EXPECT_EQ(freeSwapPercent({1000, 500, 400, 100}), 25);
}

}  // namespace
}  // namespace kerumo
