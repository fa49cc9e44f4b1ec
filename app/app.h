// app.h -- the application shell: the configuration, the frame buffers, the
// window and the flags the window procedure sets for the loop and the
// display.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ffxdemo.h"

// Allocated once by WinMain and never freed. frameBuffer holds width x height
// pixels of depth bits, row after row; at depth 8 each byte is a palette
// index and shadowBuffer (width x height 32-bit pixels) receives the
// converted frame, otherwise shadowBuffer stays null.
extern uint8_t* frameBuffer;
extern uint8_t* shadowBuffer;

// The wParam of the last WM_ACTIVATEAPP; the loop renders only while non-zero.
extern int32_t appActive;
// Nonzero: frames go on while another window has the focus (the live
// program, beside a sync editor). Zero, as on Windows: the demo waits.
extern int32_t appRunsInBackground;

// The frame-rate readout's switch, toggled by the space bar between 0 and 1;
// the present step draws the readout while it equals 1.
extern int32_t showFps;

// The program's one window, set by WIN_Init; owner of the display's boxes.
extern HWND mainWindow;

// Registers the class and creates, shows and focuses the full-screen popup
// window. Returns 1 on success, 0 when registration or creation fails
// (WinMain then reports "WIN_Init").
int WIN_Init(HINSTANCE hInstance, int nCmdShow);

// The window procedure; the platform calls it during message dispatch and
// during ShowWindow/DestroyWindow.
LRESULT CALLBACK WIN_WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
