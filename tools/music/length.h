// length.h -- a demo's LENGTH and FADE applied to its music at build time:
// the music the programs play, and whose loudness the score holds, is cut
// (or lengthened with silence) to the demo's length and fades out over its
// last FADE seconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DemoLength {
    uint32_t lengthMs = 0; // 0: the music's own length
    uint32_t fadeMs = 0;
};

// Reads "LENGTH_MS FADE_MS" from two arguments (whole milliseconds, the fade
// no longer than the length); false with `error` set otherwise.
bool ParseDemoLength(const char* length, const char* fade, DemoLength& out, std::string& error);

// 48 kHz stereo `samples` made lengthMs long, the last fadeMs fading out
// (a raised cosine, from full to silence).
void ApplyDemoLength(const DemoLength& demo, std::vector<int16_t>& samples);
