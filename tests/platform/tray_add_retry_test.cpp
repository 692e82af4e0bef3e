// A shell that refuses the tray icon at sign-in: tried again every few
// seconds for about a minute, and nothing runs once the icon is in.
#include "platform/tray_add_retry.h"

#include <gtest/gtest.h>

#include <vector>

namespace kerumo::testing {
namespace {

// A shell that refuses the first `refusals` adds, and the timer the retries run on.
struct FakeShell {
  int refusals = 0;
  int adds = 0;
  std::vector<bool> timer;  // every start (true) and stop (false), in order
  TrayAddRetry retry{[this](bool run) { timer.push_back(run); }};

  bool add() { return ++adds > refusals; }
  bool timerRunning() const { return !timer.empty() && timer.back(); }
  // Fires the timer as the window system would: only while it runs.
  bool fire() {
    return timerRunning() && retry.onTimer([this] { return add(); });
  }
};

TEST(TrayAddRetry, TriesAgainEveryFiveSecondsForAMinuteThenStops) {
  EXPECT_EQ(TrayAddRetry::Interval * TrayAddRetry::MostRetries, std::chrono::seconds(60));
  const struct {
    int refusals;
    int firesUntilIn;  // 0: never in
  } cases[] = {{1, 1}, {3, 3}, {12, 12}, {13, 0}, {1000, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refusals);
    FakeShell shell;
    shell.refusals = c.refusals;
    ASSERT_FALSE(shell.add());  // the add at start-up
    shell.retry.refused();
    EXPECT_EQ(shell.timer, std::vector<bool>{true});
    int fires = 0;
    bool in = false;
    while (shell.timerRunning() && !in) {
      in = shell.fire();
      ++fires;
    }
    EXPECT_EQ(in, c.firesUntilIn != 0);
    EXPECT_EQ(fires, in ? c.firesUntilIn : TrayAddRetry::MostRetries);
    EXPECT_EQ(shell.timer, (std::vector<bool>{true, false})) << "stopped once in, or after a minute";
    const int adds = shell.adds;
    EXPECT_FALSE(shell.fire());
    EXPECT_EQ(shell.adds, adds) << "nothing polls afterwards";
  }
}

// "TaskbarCreated" that finds the shell still busy begins a fresh minute;
// deleting the icon ends the tries.
TEST(TrayAddRetry, ARefusalWhileTryingBeginsAFreshMinuteAndCancelStops) {
  FakeShell shell;
  shell.refusals = 1000;
  shell.retry.refused();
  for (int i = 0; i < 5; ++i) shell.fire();
  shell.retry.refused();
  int fires = 0;
  while (shell.timerRunning()) {
    shell.fire();
    ++fires;
  }
  EXPECT_EQ(fires, TrayAddRetry::MostRetries);
  EXPECT_EQ(shell.timer, (std::vector<bool>{true, false})) << "one timer all along";
  shell.retry.refused();
  shell.retry.cancel();
  EXPECT_FALSE(shell.retry.pending());
  EXPECT_FALSE(shell.timerRunning());
}

}  // namespace
}  // namespace kerumo::testing
