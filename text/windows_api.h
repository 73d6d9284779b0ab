#pragma once

// The Windows API, without the parts of <windows.h> the program does not use
// and without its min and max macros, which clash with the standard library.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
