// overrun.cpp -- an effect with the classic fault: from half a second on it
// fills one row more than its frame has.
#include <cstdint>

#include "ffxdemo.h"

int FFX_Init(void*) {
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    uint32_t* pixel = static_cast<uint32_t*>(frameBuffer);
    const int32_t rows = seconds < 0.5f ? height : height + 1;
    for (int32_t i = 0; i < rows * width; ++i)
        pixel[i] = 0x00204080;
}

void FFX_Shutdown(void) {}
