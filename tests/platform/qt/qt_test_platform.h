#pragma once
#include "platform/qt/qt_platform.h"

namespace kerumo::testing {

// The one Qt platform of the test program, made by its main().
qt::QtPlatform& qtPlatform();

// Lets the event loop run until `done` holds or `milliseconds` pass.
bool waitFor(const std::function<bool()>& done, int milliseconds = 3000);

}  // namespace kerumo::testing
