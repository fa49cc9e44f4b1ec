// clock.h -- the frame loop's clock, the one place the loop asks for the
// time. Each demo's program links one implementation: the timer
// (clock_timer.cpp, timeGetTime from the start), or its music's position as
// heard (clock_music.cpp, over DirectSound).
#pragma once

#include <cstdint>

// Called once by WinMain after FFX_Init, just before the loop: time 0.
void CLK_Start(void);

// Called by the loop for each frame it is about to render. Sets *ms to the
// elapsed milliseconds the frame shows and returns 1; returns 0 once the
// music, or the demo's length, has ended (the loop then closes the window).
// Resumes a paused clock.
int CLK_Elapsed(uint32_t* ms);

// Called by the loop before it sleeps while the program is switched away:
// the music pauses with the picture. The timer keeps running.
void CLK_Pause(void);
