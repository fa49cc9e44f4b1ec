// clock_live.cpp -- the clock of NAME-live for a demo without music: the
// timer, which the live program holds and moves (app/clock_control.h), so
// that the moment being worked on comes back at will. At the demo's length
// it holds, as the music clock holds at the music's end.
#include <windows.h>

#include <mmsystem.h>

#include "app/clock.h"
#include "app/clock_control.h"
#include "app/demo_length.h"

namespace {

int64_t base; // the clock's milliseconds at startTime
DWORD startTime;
bool started, held;

int64_t Now(void) {
    return held || !started ? base : base + static_cast<int64_t>(timeGetTime() - startTime);
}

} // namespace

void CLK_Start(void) {
    startTime = timeGetTime();
    started = true;
}

int CLK_Elapsed(uint32_t* ms) {
    if (CLK_AtEnd()) { // held at the last millisecond the demo shows
        base = demoLength - 1;
        held = true;
    }
    *ms = static_cast<uint32_t>(Now());
    return 1;
}

int CLK_AtEnd(void) {
    return demoLength != 0 && Now() >= demoLength - 1;
}

void CLK_Pause(void) {}

void CLK_Hold(int hold) {
    base = Now();
    startTime = timeGetTime();
    held = hold != 0;
}

int CLK_Held(void) {
    return held;
}

void CLK_Seek(uint32_t ms) {
    base = ms;
    startTime = timeGetTime();
}

void CLK_NoEnd(void) {}
