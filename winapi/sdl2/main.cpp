// main.cpp -- the process start-up: brings up SDL's video, runs WinMain as
// Windows does, and exits with its result.
#define SDL_MAIN_HANDLED
#include "winapi/sdl2/standin.h"

#include <cstdio>
#include <cstring>

// With no display to reach, SDL falls back to drawing off screen, where the
// window never gets the focus and the demo would wait unseen for ever. That
// counts as no video, unless SDL_VIDEODRIVER asked for such a driver.
static bool VideoReachesAScreen() {
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (asked && *asked) return true;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

int main(int argc, char** argv) {
    // Ctrl+C and kill end the process as they would end a Windows program
    // killed from outside, not through a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Without video the window cannot be created and WinMain reports it.
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "%s: %s\n", argv[0], SDL_GetError());
    } else if (!VideoReachesAScreen()) {
        std::fprintf(stderr, "%s: no display to show on (DISPLAY and WAYLAND_DISPLAY reach none)\n",
                     argv[0]);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    const int result = RunWinMain(argc, argv);
    SDL_Quit();
    return result;
}
