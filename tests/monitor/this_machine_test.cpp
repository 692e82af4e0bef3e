#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "monitor/builtin_sources.h"

namespace kerumo {
namespace {

TEST(ThisMachine, BuiltInFiguresArePercentages) {
  const auto info = makeBuiltinResourceInfo();
  std::array<uint8_t, 3> figures{255, 255, 255};
  info->GetResInfo(&figures[0], &figures[1], &figures[2]);
  for (const uint8_t figure : figures) EXPECT_LE(figure, 100);
  EXPECT_GT(figures[0], 0) << "a running test machine has some memory free";
  EXPECT_LE(info->MemoryLoad(), 100);
  EXPECT_GT(info->MemoryLoad(), 0);
  for (int tick = 0; tick < 3; ++tick) {
    info->GetCpuStart();
    EXPECT_LE(info->GetCpuUsage(), 100);
  }
}

// Two built-in chips at once must not tear down each other's sensors.
TEST(ThisMachine, BuiltInTemperatureIsPlausibleOrAbsentWithTwoChipsAtOnce) {
  std::ostringstream said;
  const auto first = makeBuiltinPortIo(said);
  const auto second = makeBuiltinPortIo(said);
  for (int tick = 0; tick < 3; ++tick) {
    for (PortIo* ports : {first.get(), second.get()}) {
      ports->OutputPort(0x295, 0x27);
      const std::optional<int16_t> celsius = ports->InputPort(0x296);
      EXPECT_TRUE(!celsius || (*celsius >= -40 && *celsius <= 150)) << celsius.value_or(0);
    }
  }
}

}  // namespace
}  // namespace kerumo
