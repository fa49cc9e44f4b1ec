// sync.cpp -- the flash-and-tone demo: the frame is white for the first
// 0.1 s of every half second and black otherwise. Its music sounds a tone
// at the same moments, so a recording of screen and sound shows how far
// apart the two arrive.
#include <cmath>
#include <cstring>

#include "ffxdemo.h"

int FFX_Init(void*) {
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    const long long ms = std::llround(static_cast<double>(seconds) * 1000.0);
    const int value = ms % 500 < 100 ? 0xFF : 0x00;
    std::memset(frameBuffer, value, static_cast<size_t>(width) * height * 4);
}

void FFX_Shutdown(void) {}
