#pragma once
#include <chrono>
#include <functional>
#include <vector>

namespace kerumo {

// Virus scanners, the search indexer and cloud sync open a file that was
// just written for a moment, and a rename over it fails meanwhile. Such a
// step is tried again after short waits, doubling from 50 ms, for about two
// seconds in all: long enough for a scanner, short enough for an exit.
inline constexpr std::chrono::milliseconds FirstBusyWait{50};
inline constexpr std::chrono::milliseconds LongestBusyWait{2000};

// The waits between the tries, in order: 50, 100, 200, 400, 800 ms and what
// is left of the two seconds.
std::vector<std::chrono::milliseconds> busyRetryWaits();

// Runs `attempt`, which returns 0 on success or the system's error code,
// until it succeeds, fails with a code `isBusy` does not accept, or the
// waits are used up; `wait` sleeps between the tries. Returns the last code.
int retryWhileBusy(const std::function<int()>& attempt, const std::function<bool(int)>& isBusy,
                   const std::function<void(std::chrono::milliseconds)>& wait);

}  // namespace kerumo
