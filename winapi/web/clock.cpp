// clock.cpp -- the stand-in's clock: milliseconds of the page's monotonic
// clock (time since the page started loading), wrapping at 2^32.
#include "winapi/web/standin.h"

#include <emscripten.h>

uint32_t PageMilliseconds() {
    return uint32_t(uint64_t(emscripten_get_now()));
}
