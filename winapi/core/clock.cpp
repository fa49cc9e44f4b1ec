// clock.cpp -- timeGetTime and GetTickCount: both the backend's monotonic
// milliseconds, so that the two clocks agree and wrap together at 2^32.
#include "winapi/core/standin.h"

#include <mmsystem.h>

DWORD WINAPI timeGetTime(void) {
    return backend.milliseconds();
}

DWORD WINAPI GetTickCount(void) {
    return backend.milliseconds();
}
