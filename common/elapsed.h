// elapsed.h -- the frame loop's clock: elapsed milliseconds to seconds.
#pragma once

#include <cstdint>

// The elapsed milliseconds (0 .. 2^32 - 1) times the single-precision 0.001,
// multiplied in double precision and rounded once to single precision.
float COM_MsToSeconds(uint32_t elapsedMs);
