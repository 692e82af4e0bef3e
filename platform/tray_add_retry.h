#pragma once
#include <chrono>
#include <functional>

namespace kerumo {

// At sign-in the shell may refuse or time out the adding of a tray icon
// while the task bar is already there, and then no "TaskbarCreated" follows
// to say when to try again. A refused icon is therefore tried again every
// few seconds for about a minute, and then left to "TaskbarCreated". Nothing
// runs once the icon is in.
class TrayAddRetry {
 public:
  static constexpr std::chrono::seconds Interval{5};
  static constexpr int MostRetries = 12;

  // `runTimer(true)` starts a timer firing every Interval, `runTimer(false)`
  // stops it.
  explicit TrayAddRetry(std::function<void(bool)> runTimer) : runTimer_(std::move(runTimer)) {}

  // The shell refused the icon: a fresh series of tries begins.
  void refused();
  // The timer fired: `add` tries again. True when this try put the icon in.
  bool onTimer(const std::function<bool()>& add);
  // The icon is in by other means, or is being deleted.
  void cancel();
  bool pending() const { return retriesLeft_ > 0; }

 private:
  std::function<void(bool)> runTimer_;
  int retriesLeft_ = 0;
};

}  // namespace kerumo
