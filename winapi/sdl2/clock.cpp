// clock.cpp -- the stand-in's clock: milliseconds of the monotonic clock
// (time since boot, as on Windows), wrapping at 2^32.
#include "winapi/sdl2/standin.h"

#include <ctime>

uint32_t MonotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}
