#include "monitor/hwmon_ports.h"

#include <gtest/gtest.h>

#include "case_names.h"

namespace kerumo {
namespace {

class FixedTemperature : public TemperatureSource {
 public:
  explicit FixedTemperature(std::optional<int16_t> value) : value_(value) {}
  std::optional<int16_t> celsius() override { return value_; }

 private:
  std::optional<int16_t> value_;
};

HwMonPorts chip(std::optional<int16_t> celsius = 58) {
  return HwMonPorts(std::make_unique<FixedTemperature>(celsius));
}

TEST(HwMonPorts, TheTemperatureRegisterReadsTheTemperature) {
  HwMonPorts ports = chip();
  ports.OutputPort(0x295, 0x27);
  EXPECT_EQ(ports.InputPort(0x296), 58);
  EXPECT_EQ(ports.InputPort(0x296), 58) << "the selection stays";
}

TEST(HwMonPorts, NoSensorReadsNothing) {
  HwMonPorts ports = chip(std::nullopt);
  ports.OutputPort(0x295, 0x27);
  EXPECT_EQ(ports.InputPort(0x296), std::nullopt);
}

TEST(HwMonPorts, NothingIsReadBeforeARegisterIsSelected) { EXPECT_EQ(chip().InputPort(0x296), std::nullopt); }

struct Access {
  const char* what;
  int32_t selectPort;
  int32_t reg;
  int32_t readPort;
};

void PrintTo(const Access& c, std::ostream* os) { *os << c.what; }

class HwMonPortsElsewhere : public ::testing::TestWithParam<Access> {};

TEST_P(HwMonPortsElsewhere, ReadsNothing) {
  const Access& a = GetParam();
  HwMonPorts ports = chip();
  ports.OutputPort(a.selectPort, a.reg);
  EXPECT_EQ(ports.InputPort(a.readPort), std::nullopt) << a.what;
}

INSTANTIATE_TEST_SUITE_P(Table, HwMonPortsElsewhere,
                         ::testing::Values(Access{"another register", 0x295, 0x28, 0x296},
                                           Access{"a fan register", 0x295, 0x29, 0x296},
                                           Access{"the index port itself", 0x295, 0x27, 0x295},
                                           Access{"another chip's data port", 0x295, 0x27, 0x2F6},
                                           Access{"selected through the wrong port", 0x296, 0x27, 0x296},
                                           Access{"selected on another chip", 0x2F5, 0x27, 0x296}),
    testing::CaseName());

TEST(HwMonPorts, WritesElsewhereLeaveTheSelectionAlone) {
  HwMonPorts ports = chip();
  ports.OutputPort(0x295, 0x27);
  ports.OutputPort(0x296, 0x00);
  ports.OutputPort(0x80, 0x28);
  EXPECT_EQ(ports.InputPort(0x296), 58);
  ports.OutputPort(0x295, 0x28);
  EXPECT_EQ(ports.InputPort(0x296), std::nullopt);
}

}  // namespace
}  // namespace kerumo
