// elapsed.cpp -- the frame loop's conversion of elapsed milliseconds to seconds.
#include "common/elapsed.h"

float COM_MsToSeconds(uint32_t elapsedMs) {
    // The exact integer (every uint32_t is exact in a double) times the
    // single-precision constant widened to double, rounded once on return.
    const float msToSeconds = 0.001f; // bits 0x3A83126F
    return static_cast<float>(static_cast<double>(elapsedMs) * static_cast<double>(msToSeconds));
}
