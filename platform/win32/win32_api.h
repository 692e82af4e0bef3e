#pragma once
// The one place the backend takes the Windows headers from, trimmed and
// without the min/max macros that break the standard library.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
