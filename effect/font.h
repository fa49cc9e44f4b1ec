// font.h -- the effect's 6 x 8 bitmap font of 21 characters, drawn straight
// into the 32-bit frame at an integer scale, and the time readout built on it.
#pragma once

#include <cstdint>

constexpr int FONT_CHARS = 21;  // characters in fontCharset
constexpr int FONT_COLUMNS = 6; // cells per glyph row; column 5 is always background
constexpr int FONT_ROWS = 8;    // rows per glyph
constexpr int FONT_GLYPH_BYTES = FONT_COLUMNS * FONT_ROWS;

// "0123456789ABCDEFG:.#|": a character's position in it is its glyph number.
extern const char fontCharset[FONT_CHARS + 1];

// 21 glyphs in charset order, 48 bytes each: 8 rows of 6 bytes, row 0 at the
// top, byte 0 at the left; 1 is ink, 0 background.
extern const uint8_t fontGlyphs[FONT_CHARS * FONT_GLYPH_BYTES];

// Draws character c with its top-left pixel at frame[position] (a linear
// pixel index y * width + x), each glyph cell as a scale x scale block:
// colour is stored in the ink pixels, the others are left alone. A character
// outside the set, or a scale of 0 or less, draws nothing. No clipping: the
// caller keeps the 6*scale x 8*scale box inside the frame.
void FFX_DrawChar(uint32_t* frame, int32_t scale, int32_t position, uint32_t colour, char c);

// Draws the zero-terminated text from left to right, one cell of 6 * scale
// pixels per byte; bytes outside the set leave their cell blank.
void FFX_DrawString(uint32_t* frame, int32_t scale, int32_t position, uint32_t colour,
                    const char* text);

// The time readout of FFX_Render: seconds as "%8.2f" (ties away from zero)
// in white at scale 3, from x 100, y 10.
void FFX_DrawTime(uint32_t* frame, float seconds);
