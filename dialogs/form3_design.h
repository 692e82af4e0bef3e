#pragma once
#include "platform/form_design.h"

namespace kerumo {

// The warning-settings dialog.
FormDesign form3Design();

}  // namespace kerumo
