#pragma once
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

namespace kerumo::qt {

// One process per name among one user's processes. The first to claim a name
// listens on a local socket called after it; a later claim, instead of
// listening too, connects, which asks the first to come forward. The name
// lives in the abstract socket namespace: it vanishes with its process, so a
// crash leaves nothing behind to clean up.
class InstanceChannel {
 public:
  InstanceChannel() = default;
  InstanceChannel(const InstanceChannel&) = delete;
  InstanceChannel& operator=(const InstanceChannel&) = delete;
  ~InstanceChannel();

  // True when this process now holds `name` (or no one of this user can, so
  // it should run anyway); false when another of this user's processes holds
  // it and has been asked to come forward. `onActivation` runs for each such
  // request while this process holds the name.
  bool claim(const std::string& name, std::function<void()> onActivation);

 private:
  bool listen(const std::string& name);
  void acceptRequests();

  int listener_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> onActivation_;
};

}  // namespace kerumo::qt
