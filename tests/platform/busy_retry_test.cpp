// A rename another program blocks for a moment: tried again after doubling
// waits for about two seconds, and only while the failure means "busy".
#include "platform/busy_retry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <numeric>
#include <string>

namespace kerumo::testing {
namespace {

using std::chrono::milliseconds;

constexpr int Busy = 32;   // a sharing violation, say
constexpr int Fatal = 112; // a full disk, say

struct RetryCase {
  const char* what;
  std::vector<int> answers;  // the codes the tries return, in order; the last repeats
  std::vector<milliseconds> waits;
  int result;
};

class BusyRetry : public ::testing::TestWithParam<RetryCase> {};

TEST_P(BusyRetry, WaitsDoublingFromFiftyMillisecondsForAboutTwoSeconds) {
  const RetryCase& c = GetParam();
  size_t tries = 0;
  std::vector<milliseconds> waited;
  const int result = retryWhileBusy(
      [&] { return c.answers[std::min(tries++, c.answers.size() - 1)]; }, [](int code) { return code == Busy; },
      [&](milliseconds pause) { waited.push_back(pause); });
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(waited, c.waits);
  EXPECT_EQ(tries, c.waits.size() + 1) << "one try before each wait and one after the last";
}

const std::vector<milliseconds> AllWaits{milliseconds(50),  milliseconds(100), milliseconds(200),
                                         milliseconds(400), milliseconds(800), milliseconds(450)};

INSTANTIATE_TEST_SUITE_P(
    Answers, BusyRetry,
    ::testing::Values(RetryCase{"at once", {0}, {}, 0},
                      RetryCase{"another failure is not retried", {Fatal}, {}, Fatal},
                      RetryCase{"free after the third try", {Busy, Busy, Busy, 0}, std::vector(AllWaits.begin(), AllWaits.begin() + 3), 0},
                      RetryCase{"busy, then another failure", {Busy, Fatal}, {milliseconds(50)}, Fatal},
                      RetryCase{"busy all along", {Busy}, AllWaits, Busy}),
    [](const auto& info) {
      std::string name = info.param.what;
      std::erase_if(name, [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); });
      return name;
    });

TEST(BusyRetryWaits, AddUpToTwoSeconds) {
  const auto waits = busyRetryWaits();
  EXPECT_EQ(waits, AllWaits);
  EXPECT_EQ(std::accumulate(waits.begin(), waits.end(), milliseconds(0)), LongestBusyWait);
}

}  // namespace
}  // namespace kerumo::testing
