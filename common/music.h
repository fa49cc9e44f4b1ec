// music.h -- a demo's music as ffx_add_demo embeds it in the demo's
// programs (the music clock, the capture tool): MP3 that decodes to 16-bit
// samples, two channels interleaved (left, right), at 48 kHz, encoded from
// the declared file at build time (in the browser the page has it, not the
// module). Demos without music link none of this.
#pragma once

#include <cstdint>

constexpr uint32_t MUS_RATE = 48000; // sample frames per second
constexpr uint32_t MUS_CHANNELS = 2;

extern const uint32_t musicFrames;   // the music's length in sample frames
extern const int32_t musicLoop;      // 1: the music starts again at its end

// The MP3 (192 kbit/s): decoded, the music starts musicCodedDelay sample
// frames in.
extern const uint8_t musicCoded[];
extern const uint32_t musicCodedBytes;
extern const uint32_t musicCodedDelay;

// The position in milliseconds (rounded down) of sample frame `frame`.
inline uint32_t MUS_FrameToMs(uint64_t frame) {
    return static_cast<uint32_t>(frame * 1000 / MUS_RATE);
}

// The clocks' reading of `heard`, the sample frames heard since the start:
// sets *ms to the position in the music (which, looping, starts again at
// its length) and returns 1, or returns 0 once the music has ended.
inline int MUS_Position(uint64_t heard, uint32_t* ms) {
    if (musicLoop) {
        heard %= musicFrames;
    } else if (heard >= musicFrames) {
        return 0;
    }
    *ms = MUS_FrameToMs(heard);
    return 1;
}
