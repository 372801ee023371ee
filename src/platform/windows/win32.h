#pragma once
// The Windows API as the console backend uses it: the lean header, without
// the min and max macros that would break the standard library. Included by
// the backend's sources only, never by a header the game sees.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
