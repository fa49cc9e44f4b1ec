// guard.h -- the frame buffer's guard: the buffer ends where memory nobody
// may touch begins, so that an effect writing past it is named, not a bare
// crash or a silent wrong frame. Each program links one implementation: a
// protected page (guard_page.cpp, through VirtualAlloc and an
// unhandled-exception filter), or a zone checked after each call
// (guard_zone.cpp, where no page can be protected: WebAssembly).
#pragma once

#include <cstddef>
#include <cstdint>

// Called by WinMain once: `bytes` of zero-filled memory ending where the
// guard begins, or null when it cannot be had.
uint8_t* GRD_Allocate(size_t bytes);

// Called by WinMain before FFX_Init ("FFX_Init", 0) and before each
// FFX_Render with the frame's elapsed milliseconds: what the line names.
void GRD_Enter(const char* entry, uint32_t elapsedMs);

// Called by WinMain after each call into the effect. 0 while the guard is
// intact; otherwise the line has been written and shown, and WinMain returns
// this non-zero exit code. A protected page ends the process at the write
// itself, and this always returns 0.
int GRD_Leave(void);

// The line for the last entry: guard.cpp.
const char* GRD_Line(void);

// What any overrun's process ends with: the code of Windows' access violation,
// as much of it as an exit status holds.
#define GRD_EXIT_CODE 5
