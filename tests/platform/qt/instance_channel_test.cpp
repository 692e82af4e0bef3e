#include "platform/qt/instance_channel.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <string>

#include "tests/platform/qt/qt_test_platform.h"

namespace kerumo::qt {
namespace {

std::string uniqueName(const char* what) { return std::string("kerumo-test-") + what + "-" + std::to_string(::getpid()); }

TEST(InstanceChannel, ALaterClaimAsksTheHolderToComeForwardInstead) {
  const std::string name = uniqueName("later");
  int activations = 0;
  auto holder = std::make_unique<InstanceChannel>();
  ASSERT_TRUE(holder->claim(name, [&activations] { ++activations; }));

  for (const int asked : {1, 2}) {
    EXPECT_FALSE(InstanceChannel().claim(name, [] {}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations == asked; }));
  }
  holder.reset();
  EXPECT_TRUE(InstanceChannel().claim(name, [] {})) << "the name goes with its holder";
  EXPECT_TRUE(InstanceChannel().claim(uniqueName("other"), [] {})) << "another settings file, another name";
}

// Someone else's process holding our name must neither be asked to act for
// us nor keep us from running.
TEST(InstanceChannel, ANameHeldByAnotherUserDoesNotStopUs) {
  if (::getuid() != 0) GTEST_SKIP() << "needs root to hold a name as another user";
  const std::string name = uniqueName("stranger");
  const char* holdName = "import socket, sys, time\n"
                         "held = socket.socket(socket.AF_UNIX)\n"
                         "held.bind('\\0' + sys.argv[1])\n"
                         "held.listen(4)\n"
                         "print('held', flush=True)\n"
                         "time.sleep(600)\n";
  QProcess stranger;
  stranger.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "/usr/bin/python3", "-c", holdName,
                             QString::fromStdString(name)});
  ASSERT_TRUE(QTest::qWaitFor([&] { return stranger.canReadLine(); }))
      << stranger.readAllStandardError().toStdString();
  ASSERT_EQ(stranger.readLine(), "held\n");
  EXPECT_TRUE(InstanceChannel().claim(name, [] {}));
  stranger.kill();
  stranger.waitForFinished();
}

}  // namespace
}  // namespace kerumo::qt
