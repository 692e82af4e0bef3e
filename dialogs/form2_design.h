#pragma once
#include "platform/form_design.h"

namespace kerumo {

// The about dialog.
FormDesign form2Design();

}  // namespace kerumo
