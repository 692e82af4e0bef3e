#include "shell/module1.h"

namespace kerumo {

int32_t SetWindowOrder(FormWindow& form, int16_t mode) {
  constexpr uint32_t flags = WindowPosFlag::NoSize | WindowPosFlag::NoMove | WindowPosFlag::ShowWindow;
  if (mode == 0) return form.setWindowPos(InsertAfter::NoTopmost, flags);
  if (mode == 1) return form.setWindowPos(InsertAfter::Topmost, flags);
  return 0;
}

}  // namespace kerumo
