#include "monitor/hwmon_ports.h"

#include <gtest/gtest.h>

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

TEST(HwMonPorts, TheTemperatureRegisterReadsTheTemperatureUntilAnotherIsSelected) {
  EXPECT_EQ(chip().InputPort(0x296), std::nullopt) << "nothing selected yet";
  HwMonPorts none = chip(std::nullopt);
  none.OutputPort(0x295, 0x27);
  EXPECT_EQ(none.InputPort(0x296), std::nullopt) << "no sensor";
  HwMonPorts ports = chip();
  ports.OutputPort(0x295, 0x27);
  EXPECT_EQ(ports.InputPort(0x296), 58);
  ports.OutputPort(0x296, 0x00);  // writes elsewhere leave the selection alone
  ports.OutputPort(0x80, 0x28);
  EXPECT_EQ(ports.InputPort(0x296), 58);
  ports.OutputPort(0x295, 0x28);
  EXPECT_EQ(ports.InputPort(0x296), std::nullopt);
}

TEST(HwMonPorts, AnyOtherRegisterOrPortReadsNothing) {
  const struct {
    const char* what;
    int32_t selectPort, reg, readPort;
  } accesses[] = {
      {"a fan register", 0x295, 0x29, 0x296},          {"the index port itself", 0x295, 0x27, 0x295},
      {"another chip's data port", 0x295, 0x27, 0x2F6}, {"selected through the wrong port", 0x296, 0x27, 0x296},
      {"selected on another chip", 0x2F5, 0x27, 0x296},
  };
  for (const auto& a : accesses) {
    HwMonPorts ports = chip();
    ports.OutputPort(a.selectPort, a.reg);
    EXPECT_EQ(ports.InputPort(a.readPort), std::nullopt) << a.what;
  }
}

}  // namespace
}  // namespace kerumo
