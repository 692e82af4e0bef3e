#pragma once
#include <memory>

#include "platform/platform.h"

namespace kerumo {

// The about dialog: modeless, one at a time.
class Form2 {
 public:
  explicit Form2(Platform& platform) : platform_(platform) {}
  void show() {}

 private:
  [[maybe_unused]] Platform& platform_;
};

}  // namespace kerumo
