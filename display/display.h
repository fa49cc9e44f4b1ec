// display.h -- the display: the DirectDraw device in exclusive full-screen
// mode with one back buffer, the per-frame transfer into it, the indexed
// palette, and the flip with its frame-rate readout. WinMain calls
// DDRAW_Init once, then DDRAW_Blit and DDRAW_Flip once per rendered frame.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <cstdint>

#include "display/palette.h"

// Set by DDRAW_Init; taken anew by DDRAW_Regain, null while it cannot be.
extern IDirectDraw7* ddDevice;
extern IDirectDrawSurface7* ddPrimary; // heads the flip chain
extern IDirectDrawSurface7* ddBack;    // the one back buffer

// Takes the screen through window: device, cooperative level, the mode
// modeWidth x modeHeight x modeDepth, the flip chain; then starts the
// frame-rate measurement. On a failed step shows that step's box (owner window,
// caption "Error") and returns 0; returns 1 on success.
int DDRAW_Init(int32_t modeWidth, int32_t modeHeight, int32_t modeDepth, HWND window);

// After a lost surface: once the primary surface restores (the user is
// back), the flip chain and the device are let go and the screen is taken
// again as DDRAW_Init took it, without a box on failure.
void DDRAW_Regain(void);

// The back buffer's row pitch in bytes, from a lock taken and released at
// once; 0 when the lock fails.
int32_t DDRAW_GetPitch(void);

// Locks the back buffer and returns its first pixel, or null when the lock
// fails. Locked until DDRAW_Unlock only when an address is returned.
void* DDRAW_Lock(void);
void DDRAW_Unlock(void);

// Copies frameBuffer (through the palette at depth 8) into the back buffer
// row by row; a frame whose lock fails is skipped.
void DDRAW_Blit(void);

// The frame-rate measurement: frames since the window started at
// fpsWindowStart (GetTickCount milliseconds), and the last rate measured.
extern int32_t frameCount;
extern uint32_t fpsWindowStart;
extern float fps;

// Counts the frame, draws the readout while showFps is 1, and flips,
// retrying while the display is still drawing; regains the screen when the
// surfaces are lost. Returns the last Flip result.
HRESULT DDRAW_Flip(void);
