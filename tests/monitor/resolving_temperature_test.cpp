#include "monitor/resolving_temperature.h"

#include <gtest/gtest.h>

#include <vector>

namespace kerumo {
namespace {

using namespace std::chrono_literals;

// A sensor whose reading the test sets; it stays readable until told not to.
struct SensorScript {
  std::optional<double> reading = 45.0;
  bool present = true;
  int resolves = 0;
};

class FakeSensor : public TemperatureSensor {
 public:
  explicit FakeSensor(SensorScript& script) : script_(script) {}
  std::optional<double> read() override { return script_.present ? script_.reading : std::nullopt; }

 private:
  SensorScript& script_;
};

class ResolvingTemperatureTest : public ::testing::Test {
 protected:
  std::unique_ptr<TemperatureSensor> resolve() {
    ++script.resolves;
    return script.present ? std::make_unique<FakeSensor>(script) : nullptr;
  }

  SensorScript script;
  std::chrono::steady_clock::time_point now{};
  ResolvingTemperature temperature{[this] { return resolve(); }, [this] { return now; }};
};

TEST_F(ResolvingTemperatureTest, FindsTheSensorOnceAndRereadsItThroughBrokenReadings) {
  EXPECT_EQ(temperature.celsius(), 45);
  script.reading = 3000.0;
  EXPECT_EQ(temperature.celsius(), std::nullopt) << "a broken reading shows nothing but keeps the sensor";
  script.reading = 52.6;
  now += 1h;
  EXPECT_EQ(temperature.celsius(), 53);
  EXPECT_EQ(script.resolves, 1);
}

TEST_F(ResolvingTemperatureTest, AVanishedSensorIsSoughtAgainAtMostEveryFiveSeconds) {
  ASSERT_EQ(temperature.celsius(), 45);
  script.present = false;
  EXPECT_EQ(temperature.celsius(), std::nullopt);
  EXPECT_EQ(script.resolves, 1) << "found moments ago";
  now += 5s;
  EXPECT_EQ(temperature.celsius(), std::nullopt);
  EXPECT_EQ(script.resolves, 2);
  script.present = true;
  now += 4s;
  EXPECT_EQ(temperature.celsius(), std::nullopt);
  EXPECT_EQ(script.resolves, 2);
  now += 1s;
  EXPECT_EQ(temperature.celsius(), 45);
  EXPECT_EQ(script.resolves, 3);
}

// Five seconds between the first searches, as between those after a find.
TEST_F(ResolvingTemperatureTest, FruitlessSearchesThinOutToOneAMinuteAndResetOnAFind) {
  script.present = false;
  std::vector<int> searchedAt;
  for (int tick = 0; tick < 1200; ++tick) {
    const int before = script.resolves;
    EXPECT_EQ(temperature.celsius(), std::nullopt);
    if (script.resolves != before) searchedAt.push_back(tick / 2);
    now += 500ms;
  }
  EXPECT_EQ(searchedAt, (std::vector<int>{0, 5, 15, 35, 75, 135, 195, 255, 315, 375, 435, 495, 555}));

  script.present = true;
  now += 59s;
  EXPECT_EQ(temperature.celsius(), 45) << "a driver loaded late is found within a minute";
  script.present = false;
  now += 5s;
  EXPECT_EQ(temperature.celsius(), std::nullopt);
  const int afterVanishing = script.resolves;
  now += 5s;
  EXPECT_EQ(temperature.celsius(), std::nullopt);
  EXPECT_EQ(script.resolves, afterVanishing + 1) << "back to the short wait";
}

}  // namespace
}  // namespace kerumo
