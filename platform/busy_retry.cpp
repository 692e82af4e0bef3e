#include "platform/busy_retry.h"

#include <algorithm>

namespace kerumo {

std::vector<std::chrono::milliseconds> busyRetryWaits() {
  std::vector<std::chrono::milliseconds> waits;
  std::chrono::milliseconds total{0};
  for (auto next = FirstBusyWait; total < LongestBusyWait; next *= 2) {
    waits.push_back(std::min(next, LongestBusyWait - total));
    total += waits.back();
  }
  return waits;
}

int retryWhileBusy(const std::function<int()>& attempt, const std::function<bool(int)>& isBusy,
                   const std::function<void(std::chrono::milliseconds)>& wait) {
  int code = attempt();
  for (const auto pause : busyRetryWaits()) {
    if (code == 0 || !isBusy(code)) break;
    wait(pause);
    code = attempt();
  }
  return code;
}

}  // namespace kerumo
