// greetings.cpp -- the classic: a plasma, the group's logo fading in on the
// sync track logo:opacity, and a greetings scroller in a proportional font
// across the bottom. The logo and the fonts are the demo's declared
// pictures and fonts (CMakeLists.txt), drawn with ffxdemo.h's functions.
#include <cmath>
#include <cstdint>

#include "ffxdemo.h"

namespace {

const char kGreetings[] =
    "greetings to \xc3\x85ngstr\xc3\xb6m \xc2\xb7 Caf\xc3\xa9 Noir \xc2\xb7 \xc3\x98resund Crew "
    "\xc2\xb7 Zo\xc3\xab & J\xc3\xbcrgen \xc2\xb7 the Ni\xc3\xb1o Collective \xc2\xb7 and you!";
constexpr int64_t kScrollPixelsPerSecond = 120;

const FFX_Image* logo;
const FFX_Font* title;
const FFX_Font* scroller;
const FFX_Track* logoOpacity;
int32_t greetingsWidth;

// A sine of 256 steps a turn, -127 to 127, from integers alone (two
// parabolas), so that every build draws the same plasma.
int32_t Wave(uint32_t phase) {
    const int32_t x = static_cast<int32_t>(phase & 127);
    const int32_t y = x * (128 - x) * 127 / 4096;
    return (phase & 128) ? -y : y;
}

void Plasma(uint32_t* pixel, uint32_t t) {
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const int32_t v = Wave(x / 2 + t) + Wave(y / 3 - t) + Wave((x + y) / 4 + 2 * t);
            const uint32_t r = static_cast<uint32_t>(64 + v / 6);
            const uint32_t g = static_cast<uint32_t>(40 + Wave(v / 2 + t) / 4 + 32);
            const uint32_t b = static_cast<uint32_t>(128 + v / 3);
            *pixel++ = r << 16 | g << 8 | b;
        }
}

} // namespace

int FFX_Init(void*) {
    logo = FFX_GetImage("logo");
    title = FFX_GetFont("title");
    scroller = FFX_GetFont("scroller");
    logoOpacity = FFX_GetTrack("logo:opacity");
    greetingsWidth = FFX_TextWidth(scroller, kGreetings);
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    const int64_t ms = std::llround(static_cast<double>(seconds) * 1000.0);
    Plasma(static_cast<uint32_t*>(frameBuffer), static_cast<uint32_t>(ms / 20));

    const int32_t opacity = static_cast<int32_t>(FFX_TrackValue(logoOpacity, seconds));
    FFX_DrawImage(frameBuffer, logo, (width - logo->width) / 2, 80, opacity);
    const char* line = "a demo on the ffxdemo framework";
    const int32_t lineX = (width - FFX_TextWidth(title, line)) / 2;
    FFX_DrawText(frameBuffer, title, lineX, 200, line, static_cast<uint32_t>(opacity) << 24 | 0xFFFFFF);

    // From the right edge to past the left, then again.
    const int64_t span = greetingsWidth + width;
    const int32_t x = width - static_cast<int32_t>(ms * kScrollPixelsPerSecond / 1000 % span);
    const int32_t y = height - 80;
    FFX_DrawText(frameBuffer, scroller, x + 3, y + 3, kGreetings, 0xA0000000u);
    FFX_DrawText(frameBuffer, scroller, x, y, kGreetings, 0xFFFFF0C0u);
}

void FFX_Shutdown(void) {}
