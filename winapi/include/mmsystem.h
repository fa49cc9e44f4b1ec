// mmsystem.h -- stand-in declaration of the one WINMM call the framework
// makes, for builds off Windows. Implemented by winapi/sdl2 and by
// winapi/fake; exactly one is linked.
#pragma once

#include <windows.h>

// Milliseconds from the multimedia timer, wrapping at 2^32.
DWORD WINAPI timeGetTime(void);
