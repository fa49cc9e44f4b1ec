// music.h -- a demo's music as ffx_add_demo embeds it in the demo's
// programs (the music clock, the capture tool): 16-bit samples, two channels
// interleaved (left, right), at 48 kHz, decoded from the declared file at
// build time. Demos without music link none of this.
#pragma once

#include <cstdint>

constexpr uint32_t MUS_RATE = 48000; // sample frames per second
constexpr uint32_t MUS_CHANNELS = 2;

extern const int16_t musicSamples[]; // musicFrames x MUS_CHANNELS values
extern const uint32_t musicFrames;   // the music's length in sample frames
extern const int32_t musicLoop;      // 1: the music starts again at its end

// The position in milliseconds (rounded down) of sample frame `frame`.
inline uint32_t MUS_FrameToMs(uint64_t frame) {
    return static_cast<uint32_t>(frame * 1000 / MUS_RATE);
}
