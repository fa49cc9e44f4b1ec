// surface.cpp -- the surfaces of the flip chain: Lock and Unlock of the back
// buffer's memory, its device context (GetDC, ReleaseDC), GetAttachedSurface
// and Flip on the primary, which presents the back buffer, Restore and
// Release.
#include "winapi/core/standin.h"

namespace {

// The SDK's description flags and pixel-format flag for what Lock fills in.
constexpr DWORD DDSD_HEIGHT_FLAG = 0x00000002;
constexpr DWORD DDSD_WIDTH_FLAG = 0x00000004;
constexpr DWORD DDSD_PITCH_FLAG = 0x00000008;
constexpr DWORD DDSD_LPSURFACE_FLAG = 0x00000800;
constexpr DWORD DDSD_PIXELFORMAT_FLAG = 0x00001000;
constexpr DWORD DDPF_RGB_FLAG = 0x00000040;
constexpr int GDI_OPAQUE = 2;

// A memory surface can be locked or lend its device context, not both.
bool Busy(const SurfaceImpl& s) {
    return s.locked || s.dcTaken;
}

} // namespace

HRESULT WINAPI IDirectDrawSurface7::Lock(LPRECT lpDestRect, LPDDSURFACEDESC2 lpDDSurfaceDesc, DWORD,
                                         HANDLE) {
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    if (impl->primary) return DDERR_UNSUPPORTED; // the screen's memory is not reachable
    if (Busy(*impl)) return DDERR_SURFACEBUSY;
    RECT whole{0, 0, impl->width, impl->height};
    const RECT r = lpDestRect ? *lpDestRect : whole;
    if (r.left < 0 || r.top < 0 || r.right > impl->width || r.bottom > impl->height ||
        r.left >= r.right || r.top >= r.bottom)
        return DDERR_INVALIDRECT;

    DDSURFACEDESC2& d = *lpDDSurfaceDesc;
    d = DDSURFACEDESC2{};
    d.dwSize = sizeof(DDSURFACEDESC2);
    d.dwFlags = DDSD_CAPS | DDSD_HEIGHT_FLAG | DDSD_WIDTH_FLAG | DDSD_PITCH_FLAG |
                DDSD_LPSURFACE_FLAG | DDSD_PIXELFORMAT_FLAG;
    d.dwWidth = DWORD(impl->width);
    d.dwHeight = DWORD(impl->height);
    d.lPitch = impl->pitch;
    d.lpSurface = impl->pixels.data() + size_t(r.top) * size_t(impl->pitch) + size_t(r.left) * 4;
    d.ddpfPixelFormat =
        DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_RGB_FLAG, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0};
    d.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER;
    impl->locked = true;
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::Unlock(LPRECT) {
    if (!impl->locked) return DDERR_NOTLOCKED;
    impl->locked = false;
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::GetDC(HDC* lphDC) {
    if (!lphDC) return DDERR_INVALIDPARAMS;
    *lphDC = nullptr;
    if (impl->primary) return DDERR_UNSUPPORTED;
    if (impl->dcTaken) return DDERR_DCALREADYCREATED;
    if (impl->locked) return DDERR_SURFACEBUSY;
    // A fresh context each time, with GDI's defaults: opaque, black text.
    impl->dc = HDC__{impl->pixels.data(), impl->width, impl->height, impl->pitch, GDI_OPAQUE, 0};
    impl->dcTaken = true;
    *lphDC = &impl->dc;
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::ReleaseDC(HDC hDC) {
    if (!impl->dcTaken || hDC != &impl->dc) return DDERR_NODC;
    impl->dcTaken = false;
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::GetAttachedSurface(
    LPDDSCAPS2 lpDDSCaps, LPDIRECTDRAWSURFACE7* lplpDDAttachedSurface) {
    if (!lpDDSCaps || !lplpDDAttachedSurface) return DDERR_INVALIDPARAMS;
    *lplpDDAttachedSurface = nullptr;
    if (!impl->primary || !(lpDDSCaps->dwCaps & DDSCAPS_BACKBUFFER)) return DDERR_NOTFOUND;
    *lplpDDAttachedSurface = impl->back;
    return DD_OK;
}

// Presents the back buffer. The present waits for the vertical blank
// itself, so the display is never reported as still drawing.
HRESULT WINAPI IDirectDrawSurface7::Flip(LPDIRECTDRAWSURFACE7 lpDDSurfaceTargetOverride, DWORD) {
    if (!impl->primary) return DDERR_NOTFLIPPABLE;
    if (lpDDSurfaceTargetOverride && lpDDSurfaceTargetOverride != impl->back)
        return DDERR_INVALIDPARAMS;
    const SurfaceImpl& back = *impl->back->impl;
    if (Busy(back)) return DDERR_SURFACEBUSY;
    return backend.present(back.pixels.data(), back.pitch) ? DD_OK : DDERR_SURFACELOST;
}

// Memory surfaces never lose their contents; the screen goes only with the
// window.
HRESULT WINAPI IDirectDrawSurface7::Restore(void) {
    return DD_OK;
}

// Frees the surface's memory; the back buffer goes on its own Release.
ULONG WINAPI IDirectDrawSurface7::Release(void) {
    *impl = SurfaceImpl{};
    return 0;
}
