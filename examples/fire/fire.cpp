// fire.cpp -- the fire: heat rises from a flickering floor, spreads and
// cools on its way up, and is shown through a palette from black through
// red and yellow to white that flares and calms every four seconds. A frame
// of palette indices (depth 8).
//
// The heat is a simulation stepped STEPS_PER_SECOND times a second from the
// start, so the frame at a given time is the same at any frame rate. A step
// computes each row from the two rows below it as they were before the step,
// and the two bottom rows are new noise every step, so the heat after step k
// depends only on the noise of the last `rows` steps: a frame far from the
// last one rendered is simulated from those alone, and still exact.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ffxdemo.h"

namespace {

constexpr int64_t STEPS_PER_SECOND = 60;

// The heat: the frame's rows, and below them the floor's two, out of sight.
int32_t rows;
std::vector<uint8_t> heat; // width x rows, row 0 at the top
int64_t stepsDone;         // the step the heat is at; 0 is all cold

// The palette at step k: black, then red rising, then yellow, then white.
// It breathes (palette animation): over PALETTE_PERIOD steps each index
// shows the colour of an index up to (128 + GLOW) / 128 times higher and
// back, so the flames flare and calm without a change to the heat. In integers, so that every
// platform shows the same colours.
constexpr int64_t PALETTE_PERIOD = 240;
constexpr uint32_t GLOW = 48;

uint32_t FireColour(uint32_t i) {
    const uint32_t r = i < 85 ? i * 3 : 255;
    const uint32_t g = i < 85 ? 0 : i < 170 ? (i - 85) * 3 : 255;
    const uint32_t b = i < 170 ? 0 : (i - 170) * 3;
    return (r << 16) | (g << 8) | b;
}

void SetFirePalette(int64_t k) {
    const uint32_t phase = static_cast<uint32_t>(k % PALETTE_PERIOD);
    const uint32_t half = PALETTE_PERIOD / 2;
    const uint32_t glow = (phase < half ? phase : PALETTE_PERIOD - phase) * GLOW / half;
    uint32_t entries[256];
    for (uint32_t i = 0; i < 256; ++i) {
        const uint32_t hotter = i * (128 + glow) / 128;
        entries[i] = FireColour(hotter < 255 ? hotter : 255);
    }
    DDRAW_SetPalette(entries);
}

// The floor's noise of step k, from a generator seeded with the step alone:
// each pixel of the two bottom rows is either full heat or none.
void Kindle(int64_t k) {
    uint32_t state = static_cast<uint32_t>(k) * 2654435761u ^ 0x5EEDF12Eu;
    uint8_t* floor = heat.data() + static_cast<size_t>(rows - 2) * static_cast<size_t>(width);
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
    for (int32_t y = 0; y + 2 < rows; ++y) {
        uint8_t* row = heat.data() + static_cast<size_t>(y) * w;
        CoolRow(row, row + w, row + 2 * w, w);
    }
    Kindle(k);
}

} // namespace

int FFX_Init(void*) {
    rows = height + 2;
    heat.assign(static_cast<size_t>(width) * static_cast<size_t>(rows), 0);
    stepsDone = 0;
    SetFirePalette(0);
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    const int64_t k = static_cast<int64_t>(static_cast<double>(seconds) * STEPS_PER_SECOND);
    if (k < stepsDone || k - stepsDone > rows) {
        // Going back, or far ahead: only the last `rows` steps matter.
        std::fill(heat.begin(), heat.end(), 0);
        stepsDone = k > rows ? k - rows : 0;
    }
    while (stepsDone < k)
        Step(++stepsDone);
    SetFirePalette(k);
    std::memcpy(frameBuffer, heat.data(), static_cast<size_t>(width) * static_cast<size_t>(height));
}

void FFX_Shutdown(void) {}
