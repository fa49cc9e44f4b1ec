// ffx.h -- the demo effect: a drifting plasma, the elapsed time in a bitmap
// font, and a scrolling tracker-style note grid. Its three entry points
// (ffxdemo.h) see only a 32-bit frame and the seconds.
#pragma once

#include <cstdint>

#include "effect/font.h"
#include "effect/pattern.h"
#include "effect/random.h"
#include "ffxdemo.h"

// The plasma: width x height entries, row-major (entry y * width + x), each
// 0x0000GGBB with g = trunc(sin(0.03x + 0.01y) * 127 + 128) and
// b = trunc(sin(0.0001 * (y * x)) * 127 + 128). Allocated and filled by
// FFX_Init (the first call allocates, later calls refill the same table);
// only read afterwards.
extern uint32_t* plasmaTable;

// Fills plasmaTable (allocated by the caller) with the entries above.
void FFX_BuildPlasma(void);

// The background layer of FFX_Render: frame pixel i = plasmaTable[(i +
// offset) mod n] with offset = trunc(seconds * 100) and n = width * height,
// so the picture drifts one pixel left per hundredth of a second.
void FFX_DrawPlasma(uint32_t* frame, float seconds);
