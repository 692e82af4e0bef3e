#pragma once
#include <cstdint>

namespace kerumo {

// Time all processors together have spent, in the kernel's clock ticks.
struct CpuTimes {
  uint64_t busy = 0;
  uint64_t idle = 0;
};

// Busy share of the processors between successive samples.
class CpuUsageMeter {
 public:
  // The busy share since the previous sample; the first one measures since
  // boot. A sample that cannot be measured against the previous one repeats
  // the last figure:
  //  - no time passed (two samples within one clock tick): nothing new to say;
  //  - a counter went backwards (a processor was unplugged and its times left
  //    the sums, or a counter wrapped): the difference means nothing, so the
  //    sample only becomes the new base;
  //  - the times add up beyond 64 bits: no kernel counts that far, so the
  //    figures are garbage.
  uint8_t sample(const CpuTimes& now);
  uint8_t last() const { return last_; }

 private:
  CpuTimes previous_{};
  uint8_t last_ = 0;
};

}  // namespace kerumo
