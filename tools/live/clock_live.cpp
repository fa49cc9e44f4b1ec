// clock_live.cpp -- the clock of NAME-live: the timer, which P pauses and
// resumes and the left and right arrow keys move back and forward by a
// second, so that the moment being worked on comes back at will. The keys
// are read from SDL's keyboard state (this tool runs natively only).
#include "app/clock.h"

#include <SDL.h>

#include <windows.h>

#include <mmsystem.h>

namespace {

constexpr int64_t kStepMs = 1000;

int64_t offset;     // added to the timer's milliseconds since the start
DWORD startTime;
DWORD pausedAt;
bool paused;
bool wasDown[3];    // P, left, right at the last frame

// True when the key went down since the last frame.
bool Pressed(SDL_Scancode key, int index) {
    const bool down = SDL_GetKeyboardState(nullptr)[key] != 0;
    const bool pressed = down && !wasDown[index];
    wasDown[index] = down;
    return pressed;
}

} // namespace

void CLK_Start(void) {
    startTime = timeGetTime();
}

int CLK_Elapsed(uint32_t* ms) {
    const DWORD now = timeGetTime();
    if (Pressed(SDL_SCANCODE_P, 0)) {
        if (paused) offset -= static_cast<int64_t>(now - pausedAt);
        pausedAt = now;
        paused = !paused;
    }
    if (Pressed(SDL_SCANCODE_LEFT, 1)) offset -= kStepMs;
    if (Pressed(SDL_SCANCODE_RIGHT, 2)) offset += kStepMs;
    const int64_t elapsed = static_cast<int64_t>((paused ? pausedAt : now) - startTime) + offset;
    if (elapsed < 0) offset -= elapsed; // not before the start
    *ms = static_cast<uint32_t>(elapsed < 0 ? 0 : elapsed);
    return 1;
}

void CLK_Pause(void) {}
