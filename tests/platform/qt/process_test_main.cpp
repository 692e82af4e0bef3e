// main() of the tests that run Kerumo and its desktop as separate
// processes: Qt's core for QProcess, no window system of their own.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
