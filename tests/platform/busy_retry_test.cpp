// A rename another program blocks for a moment: tried again after doubling
// waits for about two seconds, and only while the failure means "busy".
#include "platform/busy_retry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace kerumo::testing {
namespace {

using std::chrono::milliseconds;

constexpr int Busy = 32;   // a sharing violation, say
constexpr int Fatal = 112; // a full disk, say

TEST(BusyRetry, WaitsDoublingFromFiftyMillisecondsForAboutTwoSeconds) {
  const std::vector<milliseconds> allWaits{milliseconds(50),  milliseconds(100), milliseconds(200),
                                           milliseconds(400), milliseconds(800), milliseconds(450)};
  EXPECT_EQ(std::accumulate(allWaits.begin(), allWaits.end(), milliseconds(0)), LongestBusyWait);
  const struct {
    const char* what;
    std::vector<int> answers;  // the codes the tries return, in order; the last repeats
    std::vector<milliseconds> waits;
    int result;
  } cases[] = {
      {"at once", {0}, {}, 0},
      {"another failure is not retried", {Fatal}, {}, Fatal},
      {"free after the third try", {Busy, Busy, Busy, 0}, std::vector(allWaits.begin(), allWaits.begin() + 3), 0},
      {"busy, then another failure", {Busy, Fatal}, {milliseconds(50)}, Fatal},
      {"busy all along", {Busy}, allWaits, Busy},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    size_t tries = 0;
    std::vector<milliseconds> waited;
    const int result = retryWhileBusy(
        [&] { return c.answers[std::min(tries++, c.answers.size() - 1)]; }, [](int code) { return code == Busy; },
        [&](milliseconds pause) { waited.push_back(pause); });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(waited, c.waits);
    EXPECT_EQ(tries, c.waits.size() + 1) << "one try before each wait and one after the last";
  }
  EXPECT_EQ(busyRetryWaits(), allWaits);
}

}  // namespace
}  // namespace kerumo::testing
