// font.cpp -- finds the sans-serif face through fontconfig and opens it with
// SDL2_ttf, once, for the device contexts' text.
#include "winapi/sdl2/standin.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <string>

namespace {

// Pixels per em; lines come out about 16 pixels high, like the system font.
constexpr int FONT_SIZE = 13;

std::string SansSerifFile() {
    std::string path;
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    if (!config || !pattern) return path;
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return path;
}

TTF_Font* OpenFont() {
    if (!TTF_WasInit() && TTF_Init() != 0) {
        std::fprintf(stderr, "text: %s\n", TTF_GetError());
        return nullptr;
    }
    const std::string path = SansSerifFile();
    TTF_Font* font = path.empty() ? nullptr : TTF_OpenFont(path.c_str(), FONT_SIZE);
    if (!font)
        std::fprintf(stderr, "text: no sans-serif font (%s)\n",
                     path.empty() ? "fontconfig found none" : TTF_GetError());
    return font;
}

} // namespace

_TTF_Font* DefaultFont() {
    static TTF_Font* font = OpenFont();
    return font;
}
