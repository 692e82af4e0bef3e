#include "dialogs/form3.h"

namespace kerumo {

void showForm3(Platform&, FormWindow& meterWindow) { meterWindow.setTimerEnabled("Timer1", true); }

}  // namespace kerumo
