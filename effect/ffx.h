// ffx.h -- the demo effect: a drifting plasma, the elapsed time in a bitmap
// font, and a scrolling tracker-style note grid. WinMain calls the three
// entry points; the effect sees only a 32-bit frame and the seconds.
#pragma once

#include <cstdint>

// Once after the display is open: builds the plasma table and the pattern.
// The frame buffer is not used. Returns 1 on success, 0 when an allocation
// fails.
int FFX_Init(void* frameBuffer);

// Once per frame: renders the whole width x height 32-bit frame for the
// elapsed time in seconds.
void FFX_Render(void* frameBuffer, float seconds);

// Once after the loop; there is nothing to release.
void FFX_Shutdown(void);
