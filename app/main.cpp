// main.cpp -- the program's entry: start-up in a fixed order, then one loop
// that handles window messages and renders frames.
#include "app/app.h"

#include <new>

#include "app/clock.h"
#include "app/guard.h"
#include "common/elapsed.h"
#include "display/display.h"

uint8_t* frameBuffer;
uint8_t* shadowBuffer;
int32_t appActive;
int32_t appRunsInBackground;

static int StartupFailed(LPCSTR operation) {
    MessageBoxA(NULL, operation, "ERROR", MB_ICONWARNING);
    return 0;
}

// At depth 8 the frame holds palette indices, converted each frame into the
// 32-bit shadow buffer. The frame buffer is guarded and starts cleared.
// Returns 0 when an allocation fails.
static int AllocateBuffers(void) {
    if (depth == 8) {
        DDRAW_SetPalette(NULL);
        shadowBuffer = new (std::nothrow) uint8_t[width * height * 4];
        if (shadowBuffer == NULL) return 0;
    }
    frameBuffer = GRD_Allocate((size_t)width * (size_t)height * (size_t)depth / 8);
    return frameBuffer != NULL;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) {
    if (!WIN_Init(hInstance, nCmdShow)) return StartupFailed("WIN_Init");
    if (!AllocateBuffers()) return 0;
    int32_t displayDepth = depth == 8 ? 32 : depth;
    if (!DDRAW_Init(width, height, displayDepth, mainWindow)) return StartupFailed("DDRAW_Init");
    GRD_Enter("FFX_Init", 0);
    const int initialised = FFX_Init(frameBuffer);
    if (int overrun = GRD_Leave()) return overrun;
    if (!initialised) return StartupFailed("FFX_Init");
    CLK_Start();

    MSG msg;
    bool quit = false, musicOver = false;
    while (!quit) {
        if (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            // -1 (an error) is dispatched like any message and does not end the loop.
            if (GetMessageA(&msg, NULL, 0, 0) == 0) quit = true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if ((appActive || appRunsInBackground) && !musicOver) {
            uint32_t elapsedMs;
            if (CLK_Elapsed(&elapsedMs)) {
                GRD_Enter("FFX_Render", elapsedMs);
                FFX_Render(frameBuffer, COM_MsToSeconds(elapsedMs));
                if (int overrun = GRD_Leave()) return overrun;
                DDRAW_Blit();
                DDRAW_Flip();
            } else {
                // The music has ended: the demo ends as with Escape.
                musicOver = true;
                PostMessageA(mainWindow, WM_CLOSE, 0, 0);
            }
        } else {
            CLK_Pause();
            WaitMessage();
        }
    }
    FFX_Shutdown();
    return (int)msg.wParam;
}
