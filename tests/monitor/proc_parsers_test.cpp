#include "monitor/linux/proc_parsers.h"

#include <gtest/gtest.h>

namespace kerumo {
namespace {

constexpr const char* Meminfo =
    "MemTotal:       16000000 kB\n"
    "MemFree:          500000 kB\n"
    "MemAvailable:    8000000 kB\n"
    "Buffers:          100000 kB\n"
    "SwapCached:            0 kB\n"
    "SwapTotal:       2000000 kB\n"
    "SwapFree:        1500000 kB\n"
    "HugePages_Total:       0\n";

TEST(ProcParsers, MeminfoGivesAvailableMemoryNotMerelyUnusedMemory) {
  const auto counters = parseMeminfo(Meminfo);
  ASSERT_TRUE(counters);
  EXPECT_EQ(counters->memTotal, 16000000u);
  EXPECT_EQ(counters->memAvailable, 8000000u);
  EXPECT_EQ(counters->swapTotal, 2000000u);
  EXPECT_EQ(counters->swapFree, 1500000u);
  EXPECT_TRUE(parseMeminfo("MemTotal: 10 kB\nMemAvailable: 5 kB\nSwapTotal: 0 kB\nSwapFree: 0"));  // no final newline
}

TEST(ProcParsers, MalformedMeminfoOrStatGivesNothing) {
  for (const char* text : {"", "garbage\n", "MemTotal: 10 kB\nMemFree: 5 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n",
                           "MemTotal: 10 kB\nMemAvailable: lots\nSwapTotal: 0 kB\nSwapFree: 0 kB\n",
                           "MemTotal: 10 kB\nMemAvailable: -5 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n",
                           "MemTotal: 10 kB\nMemAvailable: 5 kB\nSwapTotal: 0 kB\n",
                           "MemTotal: 10 kB\nMemAvailable: 5x kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n"}) {
    EXPECT_EQ(parseMeminfo(text), std::nullopt) << text;
  }
  for (const char* text : {"", "intr 1 2 3\n", "cpu  1 2 3\n", "cpu  1 two 3 4\n", "cpu  1 2 3 -4\n", "cpu0 1 2 3 4\n",
                           "cpu  1 2 3 4x 5\n"}) {
    EXPECT_FALSE(parseCpuTimes(text)) << text;
  }
}

TEST(ProcParsers, CpuLineCountsStealButNotGuestTimeTwice) {
  // user nice system idle iowait irq softirq steal guest guest_nice
  const auto times = parseCpuTimes("cpu  100 20 30 400 50 6 7 8 90 10\ncpu0 1 2 3 4 5 6 7 8 9 10\n");
  ASSERT_TRUE(times);
  EXPECT_EQ(times->busy, 100u + 20 + 30 + 6 + 7 + 8);
  EXPECT_EQ(times->idle, 400u + 50);
}

TEST(ProcParsers, CpuLineOfAnOldKernelHasFewerFieldsAndTheAggregateIsRead) {
  const auto old = parseCpuTimes("cpu  100 20 30 400\n");
  const auto aggregate = parseCpuTimes("cpu0 1 1 1 1\ncpu  2 2 2 2\n");
  ASSERT_TRUE(old && aggregate);
  EXPECT_EQ(old->busy, 150u);
  EXPECT_EQ(old->idle, 400u);
  EXPECT_EQ(aggregate->busy, 6u);
}

}  // namespace
}  // namespace kerumo
