// clock.cpp -- timeGetTime and GetTickCount: milliseconds of the monotonic
// clock (time since boot, as on Windows), wrapping at 2^32.
#include <windows.h>

#include <mmsystem.h>

#include <ctime>

namespace {

DWORD MonotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return DWORD(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

} // namespace

DWORD WINAPI timeGetTime(void) {
    return MonotonicMilliseconds();
}

DWORD WINAPI GetTickCount(void) {
    return MonotonicMilliseconds();
}
