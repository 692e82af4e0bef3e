#include "monitor/linux/proc_resource_info.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace kerumo {
namespace {

using testing::TempDir;
using testing::writeFile;

std::string meminfo(int total, int free, int available, int swapTotal, int swapFree) {
  return "MemTotal: " + std::to_string(total) + " kB\nMemFree: " + std::to_string(free) +
         " kB\nMemAvailable: " + std::to_string(available) + " kB\nBuffers: 1 kB\nSwapTotal: " +
         std::to_string(swapTotal) + " kB\nSwapFree: " + std::to_string(swapFree) + " kB\n";
}

std::string stat(int user, int system, int idle) {
  return "cpu  " + std::to_string(user) + " 0 " + std::to_string(system) + " " + std::to_string(idle) +
         " 0 0 0 0 0 0\ncpu0 1 1 1 1 0 0 0 0 0 0\nintr 12345 1 2\nctxt 99\n";
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
}  // namespace kerumo
