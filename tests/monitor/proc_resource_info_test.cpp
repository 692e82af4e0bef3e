#include "monitor/linux/proc_resource_info.h"

#include <gtest/gtest.h>

#include <vector>

#include "monitor/cpu_usage_meter.h"
#include "monitor/linux/proc_parsers.h"
#include "monitor/memory_figures.h"
#include "temp_dir.h"

namespace kerumo::testing {
namespace {

// As the kernel writes it, with a swap cache to tell apart from the swap and
// without the final line break, which a reader must not need.
std::string meminfo(int total, int free, int available, int swapTotal, int swapFree) {
  return "MemTotal: " + std::to_string(total) + " kB\nMemFree: " + std::to_string(free) +
         " kB\nMemAvailable: " + std::to_string(available) + " kB\nBuffers: 1 kB\nSwapCached: 9 kB" +
         "\nSwapTotal: " + std::to_string(swapTotal) + " kB\nSwapFree: " + std::to_string(swapFree) + " kB";
}

std::string stat(int user, int system, int idle) {
  return "cpu  " + std::to_string(user) + " 0 " + std::to_string(system) + " " + std::to_string(idle) +
         " 0 0 0 0 0 0\ncpu0 1 1 1 1 0 0 0 0 0 0\nintr 12345 1 2\nctxt 99\n";
}

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

TEST(CpuUsageMeter, ReportsTheBusyShareBetweenSamples) {
  const struct {
    const char* what;
    std::vector<CpuTimes> samples;
    std::vector<uint8_t> expected;
  } cases[] = {
      {"idle between samples, the first since boot", {{300, 700}, {300, 800}}, {30, 0}},
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

TEST(ProcParsers, CpuLineCountsStealButNotGuestTimeTwiceAndMayBeShortOrSecond) {
  // user nice system idle iowait irq softirq steal guest guest_nice
  const auto times = parseCpuTimes("cpu  100 20 30 400 50 6 7 8 90 10\ncpu0 1 2 3 4 5 6 7 8 9 10\n");
  const auto old = parseCpuTimes("cpu  100 20 30 400\n");  // an old kernel's fewer fields
  const auto aggregate = parseCpuTimes("cpu0 1 1 1 1\ncpu  2 2 2 2\n");
  ASSERT_TRUE(times && old && aggregate);
  EXPECT_EQ(times->busy, 100u + 20 + 30 + 6 + 7 + 8);
  EXPECT_EQ(times->idle, 400u + 50);
  EXPECT_EQ(old->busy, 150u);
  EXPECT_EQ(old->idle, 400u);
  EXPECT_EQ(aggregate->busy, 6u);
}

class ProcResourceInfoTest : public ::testing::Test {
 protected:
  std::array<uint8_t, 3> resInfo() {
    std::array<uint8_t, 3> values{};
    info.GetResInfo(&values[0], &values[1], &values[2]);
    return values;
  }

  // Each call a second after the last, so that every call reads the files.
  std::chrono::steady_clock::time_point now{};
  std::chrono::milliseconds step{1000};
  TempDir proc;
  ProcResourceInfo info{proc.path().string(), [this] { return now += step; }};
};

// Memory is what is available, not merely unused; resources count swap with it.
TEST_F(ProcResourceInfoTest, FiguresComeFromMeminfoAndStatAndAFileThatStopsMakingSenseRepeatsThem) {
  writeFile(proc / "meminfo", meminfo(1000, 100, 300, 1000, 500));
  writeFile(proc / "stat", stat(200, 100, 700));
  const std::array<uint8_t, 3> good{40, 30, 50};
  ASSERT_EQ(info.MemoryLoad(), 30);
  ASSERT_EQ(resInfo(), good);
  ASSERT_EQ(info.GetCpuUsage(), 30) << "since boot";
  writeFile(proc / "meminfo", "MemTotal: rubbish\n");
  writeFile(proc / "stat", "cpu  1 2\n");
  EXPECT_EQ(info.MemoryLoad(), 30);
  EXPECT_EQ(resInfo(), good);
  EXPECT_EQ(info.GetCpuUsage(), 30);
  // Nor does the bad sample become the base of the next.
  writeFile(proc / "stat", stat(200, 100, 800));
  EXPECT_EQ(info.GetCpuUsage(), 0) << "idle throughout";
  std::string busy = stat(250, 150, 800);
  for (int cpu = 0; cpu < 1000; ++cpu) busy += "cpu" + std::to_string(cpu) + " 1 2 3 4 5 6 7 8 9 10\n";
  writeFile(proc / "stat", busy);  // long: read for its first line
  EXPECT_EQ(info.GetCpuUsage(), 100) << "busy throughout";
}

// At one moment too: a failed reading is not kept for the rest of the tick.
TEST_F(ProcResourceInfoTest, UnreadableFilesRaiseNoAlarmAndAreRetriedAtOnceButOneReadingServesATick) {
  step = {};
  EXPECT_EQ(info.MemoryLoad(), 100);
  EXPECT_EQ(resInfo()[0], 100);
  EXPECT_EQ(info.GetCpuUsage(), 0);
  writeFile(proc / "meminfo", meminfo(1000, 100, 600, 0, 0));
  EXPECT_EQ(resInfo(), (std::array<uint8_t, 3>{60, 60, 0}));
  writeFile(proc / "meminfo", meminfo(1000, 100, 500, 0, 0));
  now += std::chrono::milliseconds(99);
  EXPECT_EQ(info.MemoryLoad(), 60);
  now += std::chrono::milliseconds(1);
  EXPECT_EQ(info.MemoryLoad(), 50);
}

}  // namespace
}  // namespace kerumo::testing
