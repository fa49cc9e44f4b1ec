// score.h -- the music's score as ffx_add_demo compiles it (ffxscore,
// NAME_score.cpp): a module's rows as played and the notes struck on them,
// its channels' loudness, and for any music its loudness in bands; read by
// score.cpp, and the sync tracks' rows where they are the module's.
// Standard library only.
#pragma once

#include <cstdint>

constexpr uint32_t kScoreRate = 48000;    // the rows' sample frames a second
constexpr uint32_t kScoreSteps = 100;     // loudness steps a second
constexpr uint32_t kScoreBands = 8;       // bass to treble, then overall
// All of it in one stream, deflated (zlib's format), unpacked the first time
// it is asked for: per row its start's distance from the last row's (u32)
// and its order, pattern and row (u16 each); per note its played row (u32),
// channel, note, instrument and volume (u8 each); then the levels, a step's
// bands and overall, then each step's channels, each value as its
// difference from the same value a step before (u8, modulo 256). Integers
// little-endian.
extern const char scorePacked[];
extern const uint32_t scorePackedBytes;
extern const uint32_t scoreRowCount;  // 0 for music that is not a module
extern const uint32_t scoreNoteCount;
extern const uint32_t scoreChannels;
extern const uint32_t scoreStepCount; // 0 without music
extern const uint32_t scoreEndFrame;  // the music's length in sample frames

// The played row at `seconds`, with the fraction of it played; 0 before
// the first, the last row's past the music's end.
double SCO_RowAt(double seconds);
// Where played row `row` starts, in seconds (row 0 before the first row).
double SCO_SecondsAtRow(uint32_t row);
