#include "monitor/cpu_usage_meter.h"

#include <gtest/gtest.h>

#include <vector>

namespace kerumo {
namespace {

TEST(CpuUsageMeter, ReportsTheBusyShareBetweenSamples) {
  const struct {
    const char* what;
    std::vector<CpuTimes> samples;
    std::vector<uint8_t> expected;
  } cases[] = {
      {"first sample measures since boot", {{300, 700}}, {30}},
      {"idle between samples", {{300, 700}, {300, 800}}, {30, 0}},
      {"fully busy between samples", {{300, 700}, {400, 700}}, {30, 100}},
      {"half busy", {{300, 700}, {350, 750}}, {30, 50}},
      {"no time passed repeats the figure", {{300, 700}, {300, 700}}, {30, 30}},
      {"busy going backwards rebases", {{300, 700}, {200, 800}, {300, 800}}, {30, 30, 100}},
      {"idle going backwards rebases", {{300, 700}, {310, 100}, {310, 200}}, {30, 30, 0}},
      {"a wrapped counter rebases", {{1000, 100}, {5, 110}, {15, 110}}, {91, 91, 100}},
      {"times beyond 64 bits are no measurement", {{UINT64_MAX - 10, 100}}, {0}},
      {"nothing since boot", {{0, 0}}, {0}},
  };
  for (const auto& c : cases) {
    CpuUsageMeter meter;
    std::vector<uint8_t> got;
    for (const CpuTimes& sample : c.samples) got.push_back(meter.sample(sample));
    EXPECT_EQ(got, c.expected) << c.what;
  }
}

}  // namespace
}  // namespace kerumo
