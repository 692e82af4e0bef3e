#include "platform/tray_add_retry.h"

namespace kerumo {

void TrayAddRetry::refused() {
  if (!pending()) runTimer_(true);
  retriesLeft_ = MostRetries;
}

bool TrayAddRetry::onTimer(const std::function<bool()>& add) {
  if (!pending()) return false;
  --retriesLeft_;
  const bool added = add();
  if (added || !pending()) cancel();
  return added;
}

void TrayAddRetry::cancel() {
  retriesLeft_ = 0;
  runTimer_(false);
}

}  // namespace kerumo
