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

// A picture the demo declared (ffx_add_demo's IMAGES), by its file's base
// name: width x height pixels, row after row. At depth 32 `pixels` holds
// 0xAARRGGBB with straight alpha; at depth 8 `indices` holds palette
// indices, `transparent` is the index drawing leaves out, and the palette
// is FFX_ImagePalette's. The one not in use is null.
struct FFX_Image {
    int32_t width, height;
    const uint32_t* pixels;
    const uint8_t* indices;
    int32_t transparent;
};

// The picture of that name; never null (a name the demo did not declare is
// an empty picture, named once on stderr). Decoded the first time it is
// asked for, best in FFX_Init.
const FFX_Image* FFX_GetImage(const char* name);

// Depth 8: the picture's 256 palette entries 0x00RRGGBB, as DDRAW_SetPalette
// takes them; at depth 32 (or for an empty picture) 256 zeros.
const uint32_t* FFX_ImagePalette(const FFX_Image* image);

// A rectangle of a picture, in its pixels.
struct FFX_Rect {
    int32_t x, y, width, height;
};

// Draws the picture with its top-left corner at (x, y) of the frame,
// clipped at the frame's edges. At depth 32 each pixel is blended with its
// alpha a, times `opacity` (0 to 255): a' = (a x opacity + 127) / 255, then
// each channel (s x a' + d x (255 - a') + 127) / 255, integer division, the
// frame's top byte 0. At depth 8 its indices are copied, all but
// `transparent`, while opacity is at least 128.
void FFX_DrawImage(void* frame, const FFX_Image* image, int32_t x, int32_t y,
                   int32_t opacity = 255);
// The same of a rectangle of the picture (a tile of a sprite sheet); the
// part of it outside the picture is left out.
void FFX_DrawImagePart(void* frame, const FFX_Image* image, FFX_Rect part, int32_t x, int32_t y,
                       int32_t opacity = 255);

// A font the demo declared (ffx_add_demo's FONTS name=file:size),
// rasterised at build time at its size: coverage, advances and kerning for
// U+0020 to U+007E and U+00A0 to U+00FF; any other character is drawn as
// the font's missing glyph.
struct FFX_Font;

// The font of that name; never null (an unknown name draws nothing and is
// named once on stderr).
const FFX_Font* FFX_GetFont(const char* name);

// The font's line: ascent (the baseline's distance below the line's top)
// and the distance from one line to the next, in pixels.
int32_t FFX_FontAscent(const FFX_Font* font);
int32_t FFX_FontLineHeight(const FFX_Font* font);

// Draws UTF-8 text on one line, its top at y and its pen starting at x,
// clipped at the frame's edges; returns the pen's x after it. At depth 32
// `colour` is 0xAARRGGBB, AA the text's opacity: each pixel's coverage c
// gives a = (c x AA + 127) / 255, blended as FFX_DrawImage blends. At depth
// 8 the low byte of `colour` is written where c is at least 128.
int32_t FFX_DrawText(void* frame, const FFX_Font* font, int32_t x, int32_t y, const char* utf8,
                     uint32_t colour);

// How far the pen moves over the text: advances and kerning.
int32_t FFX_TextWidth(const FFX_Font* font, const char* utf8);

// The music as a score, compiled from the demo's MUSIC at build time (the
// same on every build and in the video). Where the music is a tracker
// module: where it is, as played (speed and tempo changes, breaks, jumps,
// loops and delays), `playedRow` counting the rows played from the start
// (the sync tracks' rows with MUSIC_ROWS), and the seconds since the row
// started. Without a module, all -1.
struct FFX_Position {
    int32_t order, pattern, row, playedRow;
    float sinceRow;
};
FFX_Position FFX_MusicPosition(float seconds);

// Where played row `playedRow` starts, in seconds (0 without a module): a
// tracker view's rows before and after the one playing.
float FFX_RowSeconds(int32_t playedRow);

// The module's channels; 0 without a module.
int32_t FFX_MusicChannels(void);

// The last note struck on the channel by `seconds`: note 1 to 120 (C-0
// up), instrument, volume 0 to 64 (the volume column's, else 64), and the
// seconds since it struck. Before the first, or without a module, note 0.
struct FFX_Note {
    int32_t note, instrument, volume;
    float since;
};
FFX_Note FFX_ChannelNote(int32_t channel, float seconds);

// The channel's loudness, 0 to 1 (libopenmpt's meter), 100 steps a second
// with the values between them interpolated.
float FFX_ChannelLevel(int32_t channel, float seconds);

// The music's loudness, 0 to 1 for -60 to 0 dB of full scale, in band 0
// (bass, from 40 Hz) to 7 (treble, to 16 kHz), or FFX_ALL_BANDS overall;
// for any music, 100 steps a second, interpolated. 0 without music.
constexpr int32_t FFX_ALL_BANDS = 8;
float FFX_MusicLevel(float seconds, int32_t band);
