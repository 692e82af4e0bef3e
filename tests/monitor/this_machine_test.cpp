#include <gtest/gtest.h>

#include <sstream>

#include "monitor/builtin_sources.h"

namespace kerumo {
namespace {

TEST(ThisMachine, BuiltInFiguresArePercentages) {
  const auto info = makeBuiltinResourceInfo();
  uint8_t first = 255, second = 255, third = 255;
  info->GetResInfo(&first, &second, &third);
  EXPECT_LE(first, 100);
  EXPECT_LE(second, 100);
  EXPECT_LE(third, 100);
  EXPECT_GT(first, 0) << "a running test machine has some memory free";
  EXPECT_LE(info->MemoryLoad(), 100);
  EXPECT_GT(info->MemoryLoad(), 0);
  for (int tick = 0; tick < 3; ++tick) {
    info->GetCpuStart();
    EXPECT_LE(info->GetCpuUsage(), 100);
  }
}

TEST(ThisMachine, BuiltInTemperatureIsPlausibleOrAbsent) {
  std::ostringstream said;
  const auto ports = makeBuiltinPortIo(said);
  for (int tick = 0; tick < 3; ++tick) {
    ports->OutputPort(0x295, 0x27);
    const std::optional<int16_t> celsius = ports->InputPort(0x296);
    if (celsius) {
      EXPECT_GE(*celsius, -40);
      EXPECT_LE(*celsius, 150);
    }
  }
}

TEST(ThisMachine, TwoBuiltInChipsDoNotTearDownEachOthersSensors) {
  std::ostringstream said;
  const auto first = makeBuiltinPortIo(said);
  const auto second = makeBuiltinPortIo(said);
  for (PortIo* ports : {first.get(), second.get()}) {
    ports->OutputPort(0x295, 0x27);
    (void)ports->InputPort(0x296);
  }
  first->OutputPort(0x295, 0x27);
  (void)first->InputPort(0x296);
}

}  // namespace
}  // namespace kerumo
