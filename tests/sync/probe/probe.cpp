// probe.cpp -- the effect the editor test watches: the top half's red is
// the track probe:value, the bottom half's probe:other (each rounded and
// held to 0..255), and green and blue are the row shown (its low and high
// byte), at 16 rows a second.
#include <cmath>
#include <cstdint>

#include "ffxdemo.h"

namespace {

const FFX_Track* value;
const FFX_Track* other;

uint32_t Red(const FFX_Track* track, float seconds) {
    const long red = std::lround(FFX_TrackValue(track, seconds));
    return static_cast<uint32_t>(red < 0 ? 0 : red > 255 ? 255 : red);
}

} // namespace

int FFX_Init(void*) {
    value = FFX_GetTrack("probe:value");
    other = FFX_GetTrack("probe:other");
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    const uint32_t row = static_cast<uint32_t>(std::floor(static_cast<double>(seconds) * 16.0));
    const uint32_t rowColour = (row & 0xFF) << 8 | (row >> 8 & 0xFF);
    uint32_t* pixel = static_cast<uint32_t*>(frameBuffer);
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t colour = Red(y < height / 2 ? value : other, seconds) << 16 | rowColour;
        for (int32_t x = 0; x < width; ++x)
            *pixel++ = colour;
    }
}

void FFX_Shutdown(void) {}
