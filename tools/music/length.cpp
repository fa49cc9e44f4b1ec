// length.cpp -- the music cut to the demo's length and faded out.
#include "length.h"

#include <cmath>
#include <cstdlib>

namespace {

bool Ms(const char* text, uint32_t& value) {
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (!*text || *end || *text == '-' || parsed > 0xFFFFFFFFull) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

} // namespace

bool ParseDemoLength(const char* length, const char* fade, DemoLength& out, std::string& error) {
    if (!Ms(length, out.lengthMs) || !Ms(fade, out.fadeMs) || out.lengthMs == 0 ||
        out.fadeMs > out.lengthMs) {
        error = std::string("LENGTH ") + length + " ms and FADE " + fade +
                " ms: the length is a whole number of milliseconds above 0, the fade no longer";
        return false;
    }
    return true;
}

void ApplyDemoLength(const DemoLength& demo, std::vector<int16_t>& samples) {
    if (demo.lengthMs == 0) return;
    const uint64_t frames = uint64_t{demo.lengthMs} * 48;
    samples.resize(frames * 2, 0);
    const uint64_t fade = uint64_t{demo.fadeMs} * 48;
    const double pi = std::acos(-1.0);
    for (uint64_t i = 0; i < fade; ++i) {
        // Frame i of the fade: full at its start, silent at the music's end.
        const double gain =
            0.5 + 0.5 * std::cos(pi * static_cast<double>(i + 1) / static_cast<double>(fade));
        for (int c = 0; c < 2; ++c) {
            int16_t& s = samples[(frames - fade + i) * 2 + c];
            s = static_cast<int16_t>(std::lround(s * gain));
        }
    }
}
