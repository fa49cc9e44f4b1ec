// tune.cpp -- rings that leave the centre on each beat of the tune (a beat
// is four rows of 0.12 s), over the colour of its chord (A minor, F, C, G,
// 16 rows each), fading until the next. The music's position is the clock,
// so the rings keep the beat whatever the frame rate.
#include <cmath>
#include <cstdint>
#include <vector>

#include "ffxdemo.h"

namespace {

constexpr double kBeat = 0.48, kChord = 1.92;
std::vector<double> distance; // of each pixel from the centre
const uint32_t kChordColours[4] = {0x401060, 0x104060, 0x106030, 0x604010};

uint32_t Scale(uint32_t colour, double by) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel = ((colour >> shift) & 0xFF) * by;
        out |= static_cast<uint32_t>(channel > 255 ? 255 : channel) << shift;
    }
    return out;
}

} // namespace

int FFX_Init(void*) {
    distance.resize(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const double dx = x - width / 2, dy = y - height / 2;
            distance[static_cast<size_t>(y) * width + x] = std::sqrt(dx * dx + dy * dy);
        }
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    const double t = seconds;
    const double sinceBeat = std::fmod(t, kBeat);
    const uint32_t chord = kChordColours[static_cast<int>(std::fmod(t, 4 * kChord) / kChord)];
    const double radius = sinceBeat * 800.0;
    const double glow = 1.0 - sinceBeat / kBeat;
    const uint32_t background = Scale(chord, 1.0);
    uint32_t* pixel = static_cast<uint32_t*>(frameBuffer);
    for (const double d : distance) {
        const double ring = std::fabs(d - radius);
        *pixel++ = ring < 16.0 ? Scale(chord, 1.0 + 3.0 * (1.0 - ring / 16.0) * glow) : background;
    }
}

void FFX_Shutdown(void) {}
