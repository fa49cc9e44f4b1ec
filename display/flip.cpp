// flip.cpp -- the present step: counts frames, measures the frame rate over
// windows of just over a second, draws the readout onto the back buffer and
// flips it to the screen.
#include <string>

#include "app/app.h"
#include "common/format.h"
#include "display/display.h"

int32_t frameCount;
uint32_t fpsWindowStart;
float fps;

// Re-measures once more than 1000 ms of GetTickCount time have passed since
// the window started. The unsigned difference stays right across the tick
// counter's wrap, where a wrapping end of window would fire within a
// millisecond or two.
static void MeasureFps(void) {
    if (GetTickCount() - fpsWindowStart > 1000) {
        float numerator = frameCount * 1000.0;
        uint32_t elapsed = GetTickCount() - fpsWindowStart;
        frameCount = 0;
        fps = numerator / (double)elapsed;
        fpsWindowStart = GetTickCount();
    }
}

// The readout at the top left in the back buffer's default font, over the
// frame already transferred; skipped when the device context is refused.
static void DrawFps(void) {
    HDC dc;
    if (!ddBack || ddBack->GetDC(&dc) != DD_OK) return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    std::string text = COM_FormatFixed(fps, 3, 1) + " fps";
    TextOutA(dc, 0, 0, text.c_str(), (int)text.size());
    ddBack->ReleaseDC(dc);
}

HRESULT DDRAW_Flip(void) {
    frameCount++;
    if (showFps == 1) {
        MeasureFps();
        DrawFps();
    }
    // No wait flag: spin until the display takes the flip.
    HRESULT result = DDERR_SURFACELOST;
    while (ddPrimary && (result = ddPrimary->Flip(NULL, 0)) == DDERR_WASSTILLDRAWING) {
    }
    if (result == DDERR_SURFACELOST) DDRAW_Regain();
    return result;
}
