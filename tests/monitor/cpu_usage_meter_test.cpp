#include "monitor/cpu_usage_meter.h"

#include <gtest/gtest.h>

#include "case_names.h"

#include <vector>

namespace kerumo {
namespace {

struct Case {
  const char* what;
  std::vector<CpuTimes> samples;
  std::vector<uint8_t> expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class CpuUsageMeterTable : public ::testing::TestWithParam<Case> {};

TEST_P(CpuUsageMeterTable, ReportsTheBusyShareBetweenSamples) {
  const Case& c = GetParam();
  CpuUsageMeter meter;
  std::vector<uint8_t> got;
  for (const CpuTimes& sample : c.samples) got.push_back(meter.sample(sample));
  EXPECT_EQ(got, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CpuUsageMeterTable,
    ::testing::Values(Case{"first sample measures since boot", {{300, 700}}, {30}},
                      Case{"idle between samples", {{300, 700}, {300, 800}}, {30, 0}},
                      Case{"fully busy between samples", {{300, 700}, {400, 700}}, {30, 100}},
                      Case{"half busy", {{300, 700}, {350, 750}}, {30, 50}},
                      Case{"no time passed repeats the figure", {{300, 700}, {300, 700}}, {30, 30}},
                      Case{"busy going backwards rebases", {{300, 700}, {200, 800}, {300, 800}}, {30, 30, 100}},
                      Case{"idle going backwards rebases", {{300, 700}, {310, 100}, {310, 200}}, {30, 30, 0}},
                      Case{"a wrapped counter rebases", {{1000, 100}, {5, 110}, {15, 110}}, {91, 91, 100}},
                      Case{"times beyond 64 bits are no measurement", {{UINT64_MAX - 10, 100}}, {0}},
                      Case{"nothing since boot", {{0, 0}}, {0}}),
    testing::CaseName());

}  // namespace
}  // namespace kerumo
