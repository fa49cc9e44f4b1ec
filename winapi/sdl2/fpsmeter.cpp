// fpsmeter.cpp -- the once-a-second frame rate report.
#include "winapi/sdl2/fpsmeter.h"

#include <SDL.h>

#include <cstdio>

FpsMeter::FpsMeter(bool enabled) : enabled_(enabled), windowStart_(SDL_GetPerformanceCounter()) {}

void FpsMeter::frame() {
    if (!enabled_) return;
    ++frames_;
    const uint64_t now = SDL_GetPerformanceCounter();
    const double elapsed = double(now - windowStart_) / double(SDL_GetPerformanceFrequency());
    if (elapsed < 1.0) return;
    std::fprintf(stderr, "fps %.1f\n", frames_ / elapsed);
    frames_ = 0;
    windowStart_ = now;
}
