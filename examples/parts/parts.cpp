// parts.cpp -- a whole demo timed in a sync editor: three parts over the
// suite's four minutes, chosen by the step track demo:part, each faded in
// and out by demo:fade and moved by cam:x and cam:zoom (parts.rocket). Only
// arithmetic and square roots, so that every build draws the same frames.
#include <cmath>
#include <cstdint>

#include "ffxdemo.h"

namespace {

const FFX_Track *part, *fade, *camX, *zoom;

uint32_t Shade(uint32_t colour, double by) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel = ((colour >> shift) & 0xFF) * by;
        out |= static_cast<uint32_t>(channel < 0 ? 0 : channel > 255 ? 255 : channel) << shift;
    }
    return out;
}

// Part 0: bands sliding sideways; 1: a chequerboard that grows and shrinks;
// 2: rings around a centre that moves.
uint32_t Pixel(int which, double x, double y, double moved, double scale) {
    if (which == 0) {
        const int band = static_cast<int>(std::floor((x + moved) / 40.0));
        return band % 3 == 0 ? 0x3060C0 : band % 3 == 1 ? 0x60C0F0 : 0x102040;
    }
    if (which == 1) {
        const int cx = static_cast<int>(std::floor((x + moved) / scale));
        const int cy = static_cast<int>(std::floor(y / scale));
        return (cx + cy) % 2 == 0 ? 0xF0A030 : 0x402008;
    }
    const double dx = x - width / 2.0 - moved, dy = y - height / 2.0;
    const int ring = static_cast<int>(std::sqrt(dx * dx + dy * dy) / scale);
    return ring % 2 == 0 ? 0x40F080 : 0x083018;
}

} // namespace

int FFX_Init(void*) {
    part = FFX_GetTrack("demo:part");
    fade = FFX_GetTrack("demo:fade");
    camX = FFX_GetTrack("cam:x");
    zoom = FFX_GetTrack("cam:zoom");
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    const int which = static_cast<int>(FFX_TrackValue(part, seconds)) % 3;
    const double brightness = FFX_TrackValue(fade, seconds);
    const double moved = FFX_TrackValue(camX, seconds);
    const double scale = 8.0 + FFX_TrackValue(zoom, seconds);
    uint32_t* pixel = static_cast<uint32_t*>(frameBuffer);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            *pixel++ = Shade(Pixel(which < 0 ? 0 : which, x, y, moved, scale), brightness);
}

void FFX_Shutdown(void) {}
