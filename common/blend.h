// blend.h -- the one rounding every build blends with: (s x a + d x (255 -
// a) + 127) / 255 per channel, integer division.
#pragma once

#include <cstdint>

// x / 255 rounded down, exactly, for x from 0 to 65152 (the largest sum).
inline uint32_t BLD_Div255(uint32_t x) {
    return (x + 1 + (x >> 8)) >> 8;
}

// s over d (0x00RRGGBB each) at alpha a (0 to 255); the top byte 0.
inline uint32_t BLD_Over(uint32_t s, uint32_t d, uint32_t a) {
    const uint32_t rest = 255 - a;
    const uint32_t r = BLD_Div255(((s >> 16) & 0xFF) * a + ((d >> 16) & 0xFF) * rest + 127);
    const uint32_t g = BLD_Div255(((s >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * rest + 127);
    const uint32_t b = BLD_Div255((s & 0xFF) * a + (d & 0xFF) * rest + 127);
    return r << 16 | g << 8 | b;
}

// An alpha scaled by an opacity, both 0 to 255.
inline uint32_t BLD_Scale(uint32_t alpha, uint32_t opacity) {
    return BLD_Div255(alpha * opacity + 127);
}
