// fpsbench.cpp -- the bare SDL2 loop the native demo's frame rate is measured
// against: a full-screen window that uploads one 640 x 480 frame to a
// streaming texture and presents it, as fast as it can (no vsync), printing
// the frame rate on stderr once per second. Runs for the seconds given
// (default 5), or until Escape or a close request. The texture's format is
// the stand-in's (no alpha, so no blending); meant for a 640 x 480 screen,
// where the picture fills it unscaled as the demo's does.
#include "winapi/sdl2/fpsmeter.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    const double duration = argc > 1 ? std::atof(argv[1]) : 5.0;
    constexpr int w = 640, h = 480;

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "fpsbench: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("fpsbench", 0, 0, w, h,
                                          SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                                        SDL_TEXTUREACCESS_STREAMING, w, h)
                                    : nullptr;
    if (!texture) {
        std::fprintf(stderr, "fpsbench: %s\n", SDL_GetError());
        return 1;
    }

    std::vector<uint32_t> frame(size_t(w) * h);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    FpsMeter meter(true);
    const uint64_t end =
        SDL_GetPerformanceCounter() + uint64_t(duration * double(SDL_GetPerformanceFrequency()));
    while (SDL_GetPerformanceCounter() < end) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT ||
                (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE))
                return 0;
        }
        SDL_UpdateTexture(texture, nullptr, frame.data(), w * 4);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        meter.frame();
    }
    return 0;
}
