// effect.cpp -- mydemo's effect: bands of colour sliding to the left, with a
// surge now and then timed on the sync track bands:surge (mydemo.rocket),
// its logo in the corner and a line of text. The framework calls the three
// entry points of ffxdemo.h.
#include <cstdint>

#include "ffxdemo.h"

static const FFX_Track* surge;
static const FFX_Image* logo;
static const FFX_Font* text;

int FFX_Init(void*) {
    surge = FFX_GetTrack("bands:surge");
    logo = FFX_GetImage("logo"); // logo.png
    text = FFX_GetFont("text");
    return 1;
}

// Over the bands: the logo at the top right, a line at the bottom left
// (white; at depth 8, palette index 255).
static void DrawTitles(void* frameBuffer) {
    FFX_DrawImage(frameBuffer, logo, width - logo->width - 16, 16);
    FFX_DrawText(frameBuffer, text, 16, height - 16 - FFX_FontLineHeight(text), "Hello from mydemo!",
                 0xFFFFFFFFu);
}

// The whole frame for the seconds since the start: width x height pixels of
// the demo's depth, so that a change of DEPTH never writes past it. At depth
// 8 a pixel is a palette index (the default palette is a grey ramp), at
// depth 32 0x00RRGGBB.
void FFX_Render(void* frameBuffer, float seconds) {
    const uint32_t shift = static_cast<uint32_t>(seconds * 60.0f + FFX_TrackValue(surge, seconds));
    if (depth == 8) {
        uint8_t* pixel = static_cast<uint8_t*>(frameBuffer);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                *pixel++ = static_cast<uint8_t>(static_cast<uint32_t>(x) + shift);
        DrawTitles(frameBuffer);
        return;
    }
    uint32_t* pixel = static_cast<uint32_t*>(frameBuffer);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t red = (static_cast<uint32_t>(x) + shift) & 0xFF;
            const uint32_t green = static_cast<uint32_t>(y) & 0xFF;
            *pixel++ = red << 16 | green << 8 | 0x80;
        }
    DrawTitles(frameBuffer);
}

void FFX_Shutdown(void) {}
