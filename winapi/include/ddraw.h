// ddraw.h -- stand-in declarations of the DirectDraw 7 subset the display
// module uses, for builds off Windows. Names, signatures, layouts and
// constant values are the SDK's.
//
// Two implementations of these declarations exist: the stand-in (its shared
// half, winapi/core, over a platform backend such as winapi/sdl2, the Linux
// program) and winapi/fake (the scripted test double). Exactly one is linked.
//
// The two interfaces are plain structs without a vtable: the implementation
// linked in defines their member functions. DirectDrawCreateEx hands out the
// device and CreateSurface/GetAttachedSurface the surfaces; the
// implementation owns those objects and may keep whatever it needs behind the
// opaque `impl` pointer (its own struct DirectDrawImpl / SurfaceImpl) or in
// its own file-level variables keyed by the object's address. Callers never
// touch `impl`. Release lets go of the caller's one reference (the display
// takes each object once and never shares it); AddRef is not declared.
#pragma once

#include <windows.h>


// {15E65EC0-3B9C-11D2-B92F-00609797EA5B}
inline constexpr IID IID_IDirectDraw7 = {
    0x15e65ec0, 0x3b9c, 0x11d2, {0xb9, 0x2f, 0x00, 0x60, 0x97, 0x97, 0xea, 0x5b}};

#define DD_OK 0
#define MAKE_DDHRESULT(code) ((HRESULT)(0x88760000u | (code)))
#define DDERR_SURFACELOST MAKE_DDHRESULT(450)     // 0x887601C2
#define DDERR_WASSTILLDRAWING MAKE_DDHRESULT(540) // 0x8876021C

#define DDSCL_FULLSCREEN 0x00000001L
#define DDSCL_EXCLUSIVE 0x00000010L
#define DDSCL_ALLOWMODEX 0x00000040L

#define DDSD_CAPS 0x00000001L
#define DDSD_BACKBUFFERCOUNT 0x00000020L

#define DDSCAPS_BACKBUFFER 0x00000004L
#define DDSCAPS_COMPLEX 0x00000008L
#define DDSCAPS_FLIP 0x00000010L
#define DDSCAPS_PRIMARYSURFACE 0x00000200L

typedef struct _DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
} DDSCAPS2, *LPDDSCAPS2;

typedef struct _DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
} DDCOLORKEY;

// Only the first member of each of the SDK's unions is declared; the
// layout is unchanged.
typedef struct _DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
} DDPIXELFORMAT;

typedef struct _DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch; // bytes from one row to the next
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface; // first pixel, valid while locked
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
} DDSURFACEDESC2, *LPDDSURFACEDESC2;

static_assert(sizeof(DDSCAPS2) == 16, "four capability words");
static_assert(sizeof(DDSURFACEDESC2) == (sizeof(void*) == 8 ? 136 : 124),
              "the SDK's surface description size");
static_assert(offsetof(DDSURFACEDESC2, lPitch) == 0x10 &&
                  offsetof(DDSURFACEDESC2, dwBackBufferCount) == 0x14,
              "the SDK's field offsets");

typedef struct IDirectDrawSurface7* LPDIRECTDRAWSURFACE7;

struct IDirectDrawSurface7 {
    HRESULT WINAPI Flip(LPDIRECTDRAWSURFACE7 lpDDSurfaceTargetOverride, DWORD dwFlags);
    HRESULT WINAPI GetAttachedSurface(LPDDSCAPS2 lpDDSCaps,
                                      LPDIRECTDRAWSURFACE7* lplpDDAttachedSurface);
    HRESULT WINAPI GetDC(HDC* lphDC);
    HRESULT WINAPI Lock(LPRECT lpDestRect, LPDDSURFACEDESC2 lpDDSurfaceDesc, DWORD dwFlags,
                        HANDLE hEvent);
    ULONG WINAPI Release(void);
    HRESULT WINAPI ReleaseDC(HDC hDC);
    HRESULT WINAPI Restore(void);
    HRESULT WINAPI Unlock(LPRECT lpRect);

    struct SurfaceImpl* impl;
};

struct IDirectDraw7 {
    HRESULT WINAPI CreateSurface(LPDDSURFACEDESC2 lpDDSurfaceDesc,
                                 LPDIRECTDRAWSURFACE7* lplpDDSurface, IUnknown* pUnkOuter);
    ULONG WINAPI Release(void);
    HRESULT WINAPI SetCooperativeLevel(HWND hWnd, DWORD dwFlags);
    HRESULT WINAPI SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate,
                                  DWORD dwFlags);

    struct DirectDrawImpl* impl;
};

// Creates the device; lplpDD receives an IDirectDraw7* when iid is
// IID_IDirectDraw7. lpGuid null means the default display device.
HRESULT WINAPI DirectDrawCreateEx(GUID* lpGuid, LPVOID* lplpDD, REFIID iid, IUnknown* pUnkOuter);
