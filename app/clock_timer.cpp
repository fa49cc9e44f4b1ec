// clock_timer.cpp -- the clock of a demo without music: the multimedia
// timer's milliseconds since the start, wrapping at 2^32, up to the demo's
// length where it has one.
#include "app/clock.h"
#include "app/demo_length.h"

#include <windows.h>

#include <mmsystem.h>

static DWORD startTime;

void CLK_Start(void) {
    startTime = timeGetTime();
}

int CLK_Elapsed(uint32_t* ms) {
    *ms = timeGetTime() - startTime;
    return demoLength == 0 || *ms < demoLength;
}

void CLK_Pause(void) {}
