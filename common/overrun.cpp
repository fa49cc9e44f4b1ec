// overrun.cpp -- the frame-buffer overrun's message.
#include "common/overrun.h"

#include <cstdio>
#include <cstring>

void COM_OverrunLine(char* line, size_t size, int32_t width, int32_t height, int32_t depth,
                     const char* entry, uint32_t elapsedMs) {
    const int n = std::snprintf(
        line, size, "the effect wrote past its frame buffer of %d x %d x %d bytes in %s",
        (int)width, (int)height, (int)(depth / 8), entry);
    // FFX_Init runs before the clock starts: it has no time.
    if (n > 0 && (size_t)n < size && std::strcmp(entry, "FFX_Render") == 0)
        std::snprintf(line + n, size - n, " at %u.%03u s", (unsigned)(elapsedMs / 1000),
                      (unsigned)(elapsedMs % 1000));
}
