// clock_control.h -- the live program's hold on the clock, which the music
// clock (clock_music.cpp) and the live program's timer (tools/live) give:
// pause, seek, and no end, so that a part of the demo can be worked on.
#pragma once

#include <cstdint>

// Stops (1) or restarts (0) the clock, and with it the music. A clock held
// stays held across CLK_Pause and CLK_Elapsed.
void CLK_Hold(int held);
int CLK_Held(void);

// Moves the clock to `ms`, the music with it; before CLK_Start, where it
// starts. Past a music's end that does not loop, it waits at the end.
void CLK_Seek(uint32_t ms);

// From now on the music's end, or the demo's length, does not end the demo:
// the clock holds there (a music that loops goes on looping).
void CLK_NoEnd(void);

// 1 while the clock waits at the demo's end (after CLK_NoEnd), else 0.
int CLK_AtEnd(void);
