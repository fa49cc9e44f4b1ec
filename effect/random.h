// random.h -- the effect's random generator: a linear congruential generator
// with the C runtime's constants. Only the pattern (pattern.cpp) draws from
// it, so the pattern is the same on every run.
#pragma once

#include <cstdint>

// The generator's state: 1 at start, never reseeded by the program (tests
// reset it to 1 to replay the start-up sequence).
extern uint32_t randState;

// Advances the state (state * 214013 + 2531011, modulo 2^32) and returns
// bits 16..30 of the new state: 0 .. 32767. First results: 41, 18467, 6334.
int FFX_Rand(void);
