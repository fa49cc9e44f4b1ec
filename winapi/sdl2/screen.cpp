// screen.cpp -- the screen behind the DirectDraw objects: a full-screen
// window at the desktop's resolution showing the mode's picture scaled by
// the largest integer factor, centred on black, nearest-neighbour.
#include "winapi/sdl2/standin.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "winapi/sdl2/fpsmeter.h"

namespace {

SDL_Window* screenWindow;
SDL_Renderer* renderer;
SDL_Texture* texture;
int32_t pictureWidth, pictureHeight;

// Environment switches for measuring: FFX_VSYNC=0 presents without waiting
// for the vertical blank, FFX_REPORT_FPS=1 prints the frame rate on stderr.
bool EnvironmentSays(const char* name, const char* value) {
    const char* set = std::getenv(name);
    return set && std::strcmp(set, value) == 0;
}

FpsMeter& Meter() {
    static FpsMeter meter(EnvironmentSays("FFX_REPORT_FPS", "1"));
    return meter;
}

// Where the picture goes in the window's drawable area.
SDL_Rect Placement() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    const int scale = std::max(1, std::min(w / pictureWidth, h / pictureHeight));
    return SDL_Rect{(w - pictureWidth * scale) / 2, (h - pictureHeight * scale) / 2,
                    pictureWidth * scale, pictureHeight * scale};
}

} // namespace

SDL_DisplayMode DesktopMode(SDL_Window* window) {
    SDL_DisplayMode mode{};
    const int display = window ? std::max(0, SDL_GetWindowDisplayIndex(window)) : 0;
    SDL_GetDesktopDisplayMode(display, &mode);
    return mode;
}

bool SdlDesktopMode(HWND window, DisplayMode* mode) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    const SDL_DisplayMode desktop = DesktopMode(window ? window->sdl : nullptr);
    *mode = DisplayMode{desktop.w, desktop.h, desktop.refresh_rate};
    return true;
}

bool ScreenOpen(HWND hWnd, int32_t modeWidth, int32_t modeHeight) {
    SDL_Window* window = hWnd->sdl;
    ScreenClose(screenWindow);
    if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
    const Uint32 flags = EnvironmentSays("FFX_VSYNC", "0") ? 0 : SDL_RENDERER_PRESENTVSYNC;
    renderer = SDL_CreateRenderer(window, -1, flags);
    texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                           SDL_TEXTUREACCESS_STREAMING, modeWidth, modeHeight)
                       : nullptr;
    if (!texture) {
        if (renderer) SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        return false;
    }
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    // The exclusive screen comes to the front with the keyboard, as it does
    // on Windows. It must be asked again: SDL may have recreated the X window
    // for the renderer, and the focus went with the old one.
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
    screenWindow = window;
    pictureWidth = modeWidth;
    pictureHeight = modeHeight;
    return true;
}

bool ScreenPresent(const void* pixels, int32_t pitch) {
    if (!texture) return false;
    SDL_UpdateTexture(texture, nullptr, pixels, pitch);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    const SDL_Rect placement = Placement();
    SDL_RenderCopy(renderer, texture, nullptr, &placement);
    SDL_RenderPresent(renderer);
    Meter().frame();
    return true;
}

void ScreenClose(SDL_Window* window) {
    if (!window || window != screenWindow) return;
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    texture = nullptr;
    renderer = nullptr;
    screenWindow = nullptr;
}
