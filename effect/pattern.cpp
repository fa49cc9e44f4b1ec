// pattern.cpp -- the tracker pattern: its cells, its scroll clock, its drawing.
#include "effect/pattern.h"

#include <cstdlib>
#include <cstring>

#include "ffxdemo.h"
#include "effect/font.h"
#include "effect/random.h"

char* patternCells[PATTERN_ROWS * PATTERN_CHANNELS];
int32_t scrollRow = 0;
float lastStepTime = 0.0f;

namespace {

const char kBlankCell[PATTERN_CELL_BYTES] = "| ... ... |";

constexpr int kRandomNotes = 20; // choices of cell made by FFX_InitPattern

} // namespace

int FFX_InitPattern(void) {
    for (char*& cell : patternCells) {
        if (!cell) cell = static_cast<char*>(std::malloc(PATTERN_CELL_BYTES));
        if (!cell) return 0;
        std::memcpy(cell, kBlankCell, PATTERN_CELL_BYTES);
    }
    for (int i = 0; i < kRandomNotes; ++i) {
        const int channel = FFX_Rand() % PATTERN_CHANNELS; // drawn first
        const int row = FFX_Rand() % PATTERN_ROWS;
        FFX_RandomNote(patternCells[row * PATTERN_CHANNELS + channel]);
    }
    return 1;
}

void FFX_RandomNote(char* cell) {
    cell[2] = static_cast<char>('A' + FFX_Rand() % 7);
    cell[3] = (FFX_Rand() & 1) ? '#' : '.';
    cell[4] = static_cast<char>('2' + FFX_Rand() % 7);
    if (FFX_Rand() & 1) {
        cell[6] = static_cast<char>('A' + FFX_Rand() % 7);
        cell[7] = static_cast<char>('0' + FFX_Rand() % 10);
        cell[8] = static_cast<char>('0' + FFX_Rand() % 10);
    }
}

void FFX_StepPattern(float seconds) {
    // The clock compares seconds - lastStepTime > 0.2 (the float
    // constant, the difference in double) and stops for a whole wrap period
    // when the elapsed time wraps to 0. Following seconds back keeps it going.
    if (seconds < lastStepTime) {
        lastStepTime = seconds;
        return;
    }
    if (static_cast<double>(seconds) - static_cast<double>(lastStepTime) >
        static_cast<double>(0.2f)) {
        lastStepTime = seconds;
        scrollRow = (scrollRow + 1) % PATTERN_ROWS;
    }
}

void FFX_DrawPattern(uint32_t* frame, int32_t origin, int32_t shift) {
    const int32_t rowPitch = 18 * width; // 16 pixels of text, 2 of gap
    for (int r = 0; r < PATTERN_ROWS; ++r) {
        // (shift + r) mod 20 in 0 .. 19 even for a shift outside 0 .. 19
        int screenRow = static_cast<int>((static_cast<int64_t>(shift) + r) % PATTERN_ROWS);
        if (screenRow < 0) screenRow += PATTERN_ROWS;
        for (int c = 0; c < PATTERN_CHANNELS; ++c)
            FFX_DrawString(frame, 2, origin + screenRow * rowPitch + 144 * c, 0xFFFFFFFFu,
                           patternCells[r * PATTERN_CHANNELS + c]);
    }
}
