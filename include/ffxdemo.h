// ffxdemo.h -- what an effect and the framework agree on: the configuration,
// the three entry points the framework calls, and the palette an effect of
// depth 8 sets. An effect includes this header and the standard library,
// nothing else; ffx_add_demo (cmake/ffxdemo.cmake) builds it into a program
// for each platform.
#pragma once

#include <cstdint>

// The demo's configuration, fixed in initialised data (ffx_add_demo writes
// it from its WIDTH, HEIGHT and DEPTH); written by nothing.
extern const int32_t width;  // pixels per row
extern const int32_t height; // rows
extern const int32_t depth;  // bits per pixel of the frame buffer: 8 or 32

// Once, after the display is open. frameBuffer holds width x height pixels,
// row after row: at depth 32 uint32_t values 0x00RRGGBB, at depth 8 one
// palette index a byte, all zero at this point. Returns 1 on success; 0 ends
// the program with a message box "FFX_Init".
int FFX_Init(void* frameBuffer);

// Once per frame: renders the whole frame for the elapsed time in seconds
// since the loop started.
void FFX_Render(void* frameBuffer, float seconds);

// Once after the loop, before the program ends.
void FFX_Shutdown(void);

// Depth 8: copies 256 entries 0x00RRGGBB from source into the palette the
// frame is shown through, or with a null source resets it to the grey ramp
// (entry i = 0xFFiiiiii), which it holds before FFX_Init. The new palette
// applies from the next frame shown, so an effect may call it in FFX_Init or
// in any FFX_Render.
void DDRAW_SetPalette(const uint32_t* source);

// A sync track: a named list of keys on the rows of the music, each with a
// value and an interpolation to the next, compiled from the demo's SYNC
// file. The framework owns the tracks.
struct FFX_Track;

// The track named "group:name"; the same track for the same name, never
// null (a name the file lacks is a track without keys). From FFX_Init or
// FFX_Render.
const FFX_Track* FFX_GetTrack(const char* name);

// The track's value at `seconds` of the demo: the first key's value before
// it, the last's after it, 0 for a track without keys.
float FFX_TrackValue(const FFX_Track* track, float seconds);
