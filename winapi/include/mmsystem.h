// mmsystem.h -- stand-in declaration of the one WINMM call the framework
// makes, for builds off Windows. Implemented by the stand-in (winapi/core,
// over its backend's clock) and by winapi/fake; exactly one is linked.
#pragma once

#include <windows.h>

// Milliseconds from the multimedia timer, wrapping at 2^32.
DWORD WINAPI timeGetTime(void);
