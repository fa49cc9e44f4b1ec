// screen.cpp -- the screen behind the DirectDraw objects: a full-screen
// window at the desktop's resolution showing the mode's picture as large as
// the screen's limiting side allows, aspect kept, centred on black, with
// sharp pixels (see Fit).
#include "winapi/sdl2/standin.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "winapi/sdl2/fpsmeter.h"

namespace {

SDL_Window* screenWindow;
SDL_Renderer* renderer;
SDL_Texture* texture;  // the picture, one texel per pixel
SDL_Texture* enlarged; // the picture at a whole scale, when the fit is not one
int32_t pictureWidth, pictureHeight;

// Environment switches: FFX_VSYNC=0 presents without waiting for the
// vertical blank, FFX_REPORT_FPS=1 prints the frame rate on stderr (both for
// measuring), FFX_WINDOW=1 shows the picture in a window of its size beside
// the others instead of on the whole screen (the live program's way).
bool EnvironmentSays(const char* name, const char* value) {
    const char* set = std::getenv(name);
    return set && std::strcmp(set, value) == 0;
}

FpsMeter& Meter() {
    static FpsMeter meter(EnvironmentSays("FFX_REPORT_FPS", "1"));
    return meter;
}

// How the picture fills the window's drawable area: its box there, and the
// whole factor it is enlarged by with nearest-neighbour first. At a whole
// scale that is the scale itself and the box is the enlarged picture. In
// between, the factor is the next whole scale up and the enlarged picture
// is scaled down to the box bilinearly ("sharp bilinear"): each pixel stays
// a flat square and only the one row or column of screen pixels on its edge
// blends with the neighbour, where plain bilinear would blur the picture and
// nearest-neighbour would make its pixels uneven.
struct Fit {
    SDL_Rect box;
    int factor;
};

Fit FitPicture() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    const double scale =
        std::min(double(w) / double(pictureWidth), double(h) / double(pictureHeight));
    // The limiting side is filled exactly; the other is rounded.
    const int boxW = std::min(w, int(std::lround(pictureWidth * scale)));
    const int boxH = std::min(h, int(std::lround(pictureHeight * scale)));
    const int factor = std::max(1, int(std::ceil(scale - 1e-9)));
    return Fit{SDL_Rect{(w - boxW) / 2, (h - boxH) / 2, boxW, boxH}, factor};
}

// The enlarged picture's texture for a factor, made anew when it changes
// (the desktop's resolution did). Null when SDL cannot render to one; the
// picture is then scaled in one step.
SDL_Texture* Enlarged(int factor) {
    int w = 0, h = 0;
    if (enlarged) SDL_QueryTexture(enlarged, nullptr, nullptr, &w, &h);
    if (enlarged && w == pictureWidth * factor && h == pictureHeight * factor) return enlarged;
    if (enlarged) SDL_DestroyTexture(enlarged);
    enlarged = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                                 pictureWidth * factor, pictureHeight * factor);
    if (enlarged) SDL_SetTextureScaleMode(enlarged, SDL_ScaleModeLinear);
    return enlarged;
}

// The picture's texture drawn into the box, through the enlarged picture
// when the box is not the picture at a whole scale.
void DrawPicture(const Fit& fit) {
    const bool whole =
        fit.box.w == pictureWidth * fit.factor && fit.box.h == pictureHeight * fit.factor;
    SDL_Texture* step = whole ? nullptr : Enlarged(fit.factor);
    if (step && SDL_SetRenderTarget(renderer, step) == 0) {
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_SetRenderTarget(renderer, nullptr);
    } else {
        step = texture;
    }
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, step, nullptr, &fit.box);
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
    if (EnvironmentSays("FFX_WINDOW", "1")) {
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowResizable(window, SDL_TRUE);
        SDL_SetWindowSize(window, modeWidth, modeHeight);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        return false;
    }
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
    DrawPicture(FitPicture());
    SDL_RenderPresent(renderer);
    Meter().frame();
    return true;
}

void ScreenClose(SDL_Window* window) {
    if (!window || window != screenWindow) return;
    if (enlarged) SDL_DestroyTexture(enlarged);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    enlarged = nullptr;
    texture = nullptr;
    renderer = nullptr;
    screenWindow = nullptr;
}
