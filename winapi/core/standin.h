// standin.h -- what the shared half's files share: the window table's and the
// message queue's entry points, the device context over a surface's pixels,
// the DirectDraw objects' state, and the results the SDK defines that the
// stand-in headers leave out.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include "winapi/core/backend.h"

#include <cstdint>
#include <vector>

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT CLASS_E_NOAGGREGATION = HRESULT(0x80040110u);
constexpr HRESULT DDERR_INVALIDPARAMS = HRESULT(0x80070057u); // E_INVALIDARG
constexpr HRESULT DDERR_UNSUPPORTED = HRESULT(0x80004001u);   // E_NOTIMPL
constexpr HRESULT DDERR_GENERIC = HRESULT(0x80004005u);       // E_FAIL
constexpr HRESULT DDERR_INVALIDMODE = MAKE_DDHRESULT(120);
constexpr HRESULT DDERR_INVALIDRECT = MAKE_DDHRESULT(150);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MAKE_DDHRESULT(225);
constexpr HRESULT DDERR_NOTFOUND = MAKE_DDHRESULT(255);
constexpr HRESULT DDERR_SURFACEBUSY = MAKE_DDHRESULT(430);
constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MAKE_DDHRESULT(561);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MAKE_DDHRESULT(564);
constexpr HRESULT DDERR_NOTFLIPPABLE = MAKE_DDHRESULT(582);
constexpr HRESULT DDERR_NOTLOCKED = MAKE_DDHRESULT(584);
constexpr HRESULT DDERR_NODC = MAKE_DDHRESULT(586);
constexpr HRESULT DDERR_DCALREADYCREATED = MAKE_DDHRESULT(620);

// window.cpp. The handle when it names a live window, else null.
HWND LiveWindow(HWND hWnd);
// The live window last given the keyboard with SetFocus, or null.
HWND FocusedWindow();
// Calls the window's procedure at once, as SendMessage does; 0 for a handle
// that names no live window.
LRESULT SendToWindow(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// DestroyWindow: WM_DESTROY to the procedure, then the window goes.
void DestroyStandInWindow(HWND hWnd);

// queue.cpp. Appends a posted message.
void PostToQueue(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A device context on a 32-bit memory surface (surface.cpp hands it out,
// text.cpp draws through it). Pixels are 0x00RRGGBB.
struct HDC__ {
    uint8_t* pixels;
    int32_t width, height, pitch;
    int bkMode;         // TRANSPARENT or OPAQUE
    COLORREF textColor; // 0x00BBGGRR
};

// The DirectDraw device: the window of its cooperative level and the mode.
struct DirectDrawImpl {
    HWND window = nullptr;
    DWORD level = 0;
    int32_t modeWidth = 0, modeHeight = 0; // 0 until SetDisplayMode succeeds
    IDirectDrawSurface7* primary = nullptr;
};

// A surface: the primary stands for the screen and owns the back buffer,
// which is memory with a pitch.
struct SurfaceImpl {
    bool primary = false;
    IDirectDrawSurface7* back = nullptr; // attached to the primary
    std::vector<uint8_t> pixels;
    int32_t width = 0, height = 0, pitch = 0;
    bool locked = false;
    bool dcTaken = false;
    HDC__ dc{};
};
