// ffx.cpp -- the effect's entry points: what WinMain calls.
#include "effect/ffx.h"

#include <cstdlib>

#include "ffxdemo.h"

int FFX_Init(void* frameBuffer) {
    (void)frameBuffer; // the table and the pattern do not depend on it
    if (!plasmaTable) {
        const size_t entries = static_cast<size_t>(width) * static_cast<size_t>(height);
        plasmaTable = static_cast<uint32_t*>(std::malloc(entries * sizeof(uint32_t)));
        if (!plasmaTable) return 0;
    }
    FFX_BuildPlasma();
    if (!FFX_InitPattern()) return 0;
    return 1;
}

void FFX_Render(void* frameBuffer, float seconds) {
    uint32_t* frame = static_cast<uint32_t*>(frameBuffer);
    FFX_StepPattern(seconds);
    FFX_DrawPlasma(frame, seconds);
    FFX_DrawTime(frame, seconds);
    FFX_DrawPattern(frame, 100 * width + 40, 19 - scrollRow);
}

void FFX_Shutdown(void) {}
