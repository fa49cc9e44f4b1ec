// pattern.h -- the tracker-style pattern: 20 rows x 4 channels of note cells,
// filled once from the random generator and scrolled up one row every 0.2 s.
#pragma once

#include <cstdint>

constexpr int PATTERN_ROWS = 20;
constexpr int PATTERN_CHANNELS = 4;
constexpr int PATTERN_CELL_BYTES = 12; // "| C#4 A37 |" and its terminator

// 80 cells, index row * 4 + channel, each its own 12-byte block allocated by
// FFX_InitPattern: bar, space, note letter, '#' or '.', octave, space,
// letter, two digits, space, bar, zero. A blank cell reads "| ... ... |".
extern char* patternCells[PATTERN_ROWS * PATTERN_CHANNELS];

// The scroll clock: the pattern row shown at the bottom of the grid (0 .. 19)
// and the seconds of the last step. Plain globals so that a test can set
// them before FFX_Render.
extern int32_t scrollRow;
extern float lastStepTime;

// Called by FFX_Init after the plasma table: allocates and blanks the 80
// cells, then fills 20 random choices of cell with FFX_RandomNote. Returns 1,
// or 0 when a cell cannot be allocated. Cells allocated by an earlier call
// are reused (and blanked again), not allocated twice.
int FFX_InitPattern(void);

// Fills offsets 2..4 of the cell with a random note and, on an odd draw,
// offsets 6..8 with a random letter and two digits (else they keep what
// they held).
void FFX_RandomNote(char* cell);

// The first step of FFX_Render: one row up (scrollRow + 1 mod 20) when more
// than 0.2 s have passed since lastStepTime. When seconds is below
// lastStepTime (the elapsed milliseconds wrapped to 0), the clock follows it
// back without stepping, so the grid goes on stepping every 0.2 s.
void FFX_StepPattern(float seconds);

// The last layer of FFX_Render: every cell at scale 2 in white; pattern row r
// at screen row (shift + r) mod 20, channel c at origin + s*18*width + 144*c.
void FFX_DrawPattern(uint32_t* frame, int32_t origin, int32_t shift);
