#include <gtest/gtest.h>

#include "tests/platform/qt/qt_test_platform.h"

namespace kerumo::testing {
namespace {
qt::QtPlatform* platform = nullptr;
}

qt::QtPlatform& qtPlatform() { return *platform; }

}  // namespace kerumo::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no window system.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  // Without a display the tests that need one skip themselves.
  if (qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
  kerumo::qt::QtPlatform platform(argc, argv);
  kerumo::testing::platform = &platform;
  return RUN_ALL_TESTS();
}
