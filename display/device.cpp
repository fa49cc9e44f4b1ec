// device.cpp -- the DirectDraw device in exclusive full-screen mode, its flip
// chain of a primary surface and one back buffer, and the back buffer's lock.
#include "display/display.h"

IDirectDraw7* ddDevice;
IDirectDrawSurface7* ddPrimary;
IDirectDrawSurface7* ddBack;

// 124 bytes on 32-bit Windows, 136 where pointers take 8 bytes.
static_assert(sizeof(DDSURFACEDESC2) == (sizeof(void*) == 4 ? 124 : 136),
              "surface description size");

static int InitFailed(HWND window, LPCSTR message) {
    MessageBoxA(window, message, "Error", MB_OK);
    return 0;
}

int DDRAW_Init(int32_t modeWidth, int32_t modeHeight, int32_t modeDepth, HWND window) {
    if (DirectDrawCreateEx(NULL, (LPVOID*)&ddDevice, IID_IDirectDraw7, NULL) != DD_OK)
        return InitFailed(window, "Could not create Direct Draw Instance\n");
    if (ddDevice->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE |
                                                  DDSCL_ALLOWMODEX) != DD_OK)
        return InitFailed(window, "Could not take control of the screen\n");
    if (ddDevice->SetDisplayMode(modeWidth, modeHeight, modeDepth, 0, 0) != DD_OK)
        return InitFailed(window, "Video mode not found\n");

    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    if (ddDevice->CreateSurface(&desc, &ddPrimary, NULL) != DD_OK)
        return InitFailed(window, "Could not create the primary surface\n");

    DDSCAPS2 caps = {DDSCAPS_BACKBUFFER, 0, 0, 0};
    if (ddPrimary->GetAttachedSurface(&caps, &ddBack) != DD_OK)
        return InitFailed(window, "Could not get the back surface\n");

    fpsWindowStart = GetTickCount();
    frameCount = 0;
    return 1;
}

// Without the wait flag: a lock that cannot be granted at once fails. Once
// the surfaces are lost (the user switched away from the exclusive screen)
// every lock fails until the primary surface, and with it the back buffer,
// is restored; this frame is skipped, the next one locks again.
static HRESULT LockBack(DDSURFACEDESC2* desc) {
    *desc = {};
    desc->dwSize = sizeof(*desc);
    HRESULT result = ddBack->Lock(NULL, desc, 0, NULL);
    if (result == DDERR_SURFACELOST) ddPrimary->Restore();
    return result;
}

int32_t DDRAW_GetPitch(void) {
    DDSURFACEDESC2 desc;
    if (LockBack(&desc) != DD_OK) return 0;
    DDRAW_Unlock();
    return desc.lPitch;
}

void* DDRAW_Lock(void) {
    DDSURFACEDESC2 desc;
    if (LockBack(&desc) != DD_OK) return NULL;
    return desc.lpSurface;
}

void DDRAW_Unlock(void) {
    ddBack->Unlock(NULL);
}
