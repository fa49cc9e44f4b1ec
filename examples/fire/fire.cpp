// fire.cpp -- the fire: heat rises from a flickering floor, spreads and
// cools on its way up, and is shown through a palette from black through
// red and yellow to white, which turns slowly to a blue flame and back. A
// frame of palette indices (depth 8).
//
// The heat is a simulation stepped STEPS_PER_SECOND times a second from the
// start, so the frame at a given time is the same at any frame rate. A step
// computes each row from the two rows below it as they were before the step,
// and the two bottom rows are new noise every step, so the heat after step k
// depends only on the noise of the last `height` steps: a frame far from the
// last one rendered is simulated from those alone, and still exact.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ffxdemo.h"

namespace {

constexpr int64_t STEPS_PER_SECOND = 60;

std::vector<uint8_t> heat; // width x height, row 0 at the top
int64_t stepsDone;         // the step the heat is at; 0 is all cold

// The palette at step k: black, then the flame's colour rising, then white
// at 255. The flame turns from red and yellow to a blue gas flame and back
// every PALETTE_PERIOD steps (palette animation), blended in integers so
// that every platform shows the same colours.
constexpr int64_t PALETTE_PERIOD = 1200;
constexpr uint32_t HALF_PERIOD = PALETTE_PERIOD / 2;

void SetFirePalette(int64_t k) {
    const uint32_t phase = static_cast<uint32_t>(k % PALETTE_PERIOD);
    const uint32_t blue = phase < HALF_PERIOD ? phase : PALETTE_PERIOD - phase; // 0 to 600
    uint32_t entries[256];
    for (uint32_t i = 0; i < 256; ++i) {
        const uint32_t hot = i < 85 ? i * 3 : 255;                        // first to rise
        const uint32_t warm = i < 85 ? 0 : i < 170 ? (i - 85) * 3 : 255; // then this
        const uint32_t white = i < 170 ? 0 : (i - 170) * 3;              // last
        // Red fire: red, green, blue = hot, warm, white; blue: white, warm, hot.
        const uint32_t r = (hot * (HALF_PERIOD - blue) + white * blue) / HALF_PERIOD;
        const uint32_t b = (white * (HALF_PERIOD - blue) + hot * blue) / HALF_PERIOD;
        entries[i] = (r << 16) | (warm << 8) | b;
    }
    DDRAW_SetPalette(entries);
}

// The floor's noise of step k, from a generator seeded with the step alone:
// each pixel of the two bottom rows is either full heat or none.
void Kindle(int64_t k) {
    uint32_t state = static_cast<uint32_t>(k) * 2654435761u ^ 0x5EEDF12Eu;
    uint8_t* floor = heat.data() + static_cast<size_t>(height - 2) * static_cast<size_t>(width);
    for (int32_t x = 0; x < width; ++x) {
        state = state * 1664525u + 1013904223u;
        floor[x] = floor[x + width] = (state >> 31) ? 255 : 0;
    }
}

// A pixel above the floor: the average of the three pixels below it and the
// one two rows down, less one.
uint8_t Cooled(int sum) {
    return static_cast<uint8_t>(sum >= 4 ? (sum >> 2) - 1 : 0);
}

// One row above the floor from the two rows below it; columns wrap. The
// rows never overlap, which lets the compiler take many pixels at a time.
void CoolRow(uint8_t* __restrict row, const uint8_t* __restrict below,
             const uint8_t* __restrict below2, size_t w) {
    row[0] = Cooled(below[w - 1] + below[0] + below[1] + below2[0]);
    for (size_t x = 1; x + 1 < w; ++x)
        row[x] = Cooled(below[x - 1] + below[x] + below[x + 1] + below2[x]);
    row[w - 1] = Cooled(below[w - 2] + below[w - 1] + below[0] + below2[w - 1]);
}

// One step: every row above the floor, top first, so that the rows below it
// still hold the last step's heat; then the floor's new noise.
void Step(int64_t k) {
    const size_t w = static_cast<size_t>(width);
    for (int32_t y = 0; y + 2 < height; ++y) {
        uint8_t* row = heat.data() + static_cast<size_t>(y) * w;
        CoolRow(row, row + w, row + 2 * w, w);
    }
    Kindle(k);
}

} // namespace

int FFX_Init(void*) {
    heat.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    stepsDone = 0;
    SetFirePalette(0);
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    const int64_t k = static_cast<int64_t>(static_cast<double>(seconds) * STEPS_PER_SECOND);
    if (k < stepsDone || k - stepsDone > height) {
        // Going back, or far ahead: only the last `height` steps matter.
        std::fill(heat.begin(), heat.end(), 0);
        stepsDone = k > height ? k - height : 0;
    }
    while (stepsDone < k)
        Step(++stepsDone);
    SetFirePalette(k);
    std::memcpy(frameBuffer, heat.data(), heat.size());
}

void FFX_Shutdown(void) {}
