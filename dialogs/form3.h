#pragma once
#include "platform/platform.h"

namespace kerumo {

// The warning-settings dialog, modal; it turns the meter's Timer1 back on.
void showForm3(Platform& platform, FormWindow& meterWindow);

}  // namespace kerumo
