// reference.h -- straightforward implementations of the plasma, font and pattern, written
// independently of effect/ (per pixel, one sine per channel, the glyphs
// transcribed again from the glyph chart), to compare the effect against.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ref {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kPixels = kWidth * kHeight;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

// The unrounded channel value sine * 127 + 128 of entry (x, y).
double GreenValue(int x, int y);
double BlueValue(int x, int y);

// Entry (x, y) exactly as the table is defined: two sines per entry.
uint32_t PlasmaEntry(int x, int y);

// The whole table, computed once per process.
const std::vector<uint32_t>& PlasmaTable();

// Glyph cell (row, column) of a character of "0123456789ABCDEFG:.#|";
// false for any other byte.
bool GlyphInk(char c, int row, int column);

// Per-pixel drawing: every pixel of the box is tested against its glyph cell.
void DrawChar(uint32_t* frame, int scale, int x, int y, char c);
void DrawString(uint32_t* frame, int scale, int x, int y, const std::string& text);

// A whole frame: the table at offset trunc(seconds * 100) with one modulo per
// pixel, the readout text at (100, 10), the cells with the grid's bottom row
// showing pattern row `scrollRow`. The caller passes the readout text and the
// cells so that each is checked against the definition on its own.
std::vector<uint32_t> Frame(float seconds, const std::string& readout, int scrollRow,
                            const std::vector<std::string>& cells);

} // namespace ref
