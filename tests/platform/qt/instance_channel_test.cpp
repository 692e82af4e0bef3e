#include "platform/qt/instance_channel.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
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

  InstanceChannel later;
  EXPECT_FALSE(later.claim(name, [] {}));
  EXPECT_TRUE(testing::waitFor([&activations] { return activations == 1; }, 5000));
  InstanceChannel another;
  EXPECT_FALSE(another.claim(name, [] {}));
  EXPECT_TRUE(testing::waitFor([&activations] { return activations == 2; }, 5000));

  holder.reset();
  InstanceChannel afterwards;
  EXPECT_TRUE(afterwards.claim(name, [] {})) << "the name goes with its holder";
  EXPECT_TRUE(InstanceChannel().claim(uniqueName("other"), [] {})) << "another settings file, another name";
}

// Someone else's process holding our name must neither be asked to act for
// us nor keep us from running.
TEST(InstanceChannel, ANameHeldByAnotherUserDoesNotStopUs) {
  if (::getuid() != 0) GTEST_SKIP() << "needs root to hold a name as another user";
  const std::string name = uniqueName("stranger");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    const bool held = ::setuid(65534) == 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                      ::listen(fd, 4) == 0;
    [[maybe_unused]] const auto written = ::write(ready[1], held ? "y" : "n", 1);
    ::pause();
    ::_exit(0);
  }
  char answer = 0;
  ASSERT_EQ(::read(ready[0], &answer, 1), 1);
  EXPECT_EQ(answer, 'y');
  EXPECT_TRUE(InstanceChannel().claim(name, [] {}));
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace kerumo::qt
