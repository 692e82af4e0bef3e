#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include "tests/platform/qt/qt_test_platform.h"

namespace kerumo::testing {
namespace {
qt::QtPlatform* platform = nullptr;
}

qt::QtPlatform& qtPlatform() { return *platform; }

bool waitFor(const std::function<bool()>& done, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

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
