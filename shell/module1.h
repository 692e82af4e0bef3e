#pragma once
#include <cstdint>

#include "platform/form_window.h"

namespace kerumo {

// Puts `form` on top (mode 1) or back in normal order (mode 0), showing it
// either way; any other mode does nothing and returns 0.
int32_t SetWindowOrder(FormWindow& form, int16_t mode);

}  // namespace kerumo
