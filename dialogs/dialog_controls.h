#pragma once
#include "platform/form_design.h"

namespace kerumo {

// Design helpers shared by the two dialogs: plain opaque labels and
// buttons in the system colours.
ControlDesign dialogLabel(const char* name, const char* caption, const TwipsRect& rect, int tabIndex, double points = 9);
ControlDesign dialogButton(const char* name, const char* caption, const TwipsRect& rect, int tabIndex);

}  // namespace kerumo
