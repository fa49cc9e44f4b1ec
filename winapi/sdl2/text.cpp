// text.cpp -- the device contexts' text rasterised by SDL2_ttf: the string's
// antialiased glyphs as coverage, for the shared half to blend.
#include "winapi/sdl2/standin.h"

#include <SDL_ttf.h>

#include <string>

bool RasterizeSdlText(const char* text, size_t length, Coverage* out) {
    _TTF_Font* font = DefaultFont();
    if (!font) return false;
    const std::string latin1(text, length);
    SDL_Surface* glyphs =
        TTF_RenderText_Blended(font, latin1.c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs) return false;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(glyphs);
    if (!argb) return false;
    out->width = argb->w;
    out->height = argb->h;
    out->alpha.resize(size_t(argb->w) * size_t(argb->h));
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(argb->pixels) +
                                                            size_t(y) * size_t(argb->pitch));
        for (int x = 0; x < argb->w; ++x)
            out->alpha[size_t(y) * size_t(argb->w) + size_t(x)] = uint8_t(row[x] >> 24);
    }
    SDL_FreeSurface(argb);
    return true;
}
