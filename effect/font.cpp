// font.cpp -- the bitmap font, its span form for drawing, and the time readout.
#include "effect/font.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "ffxdemo.h"
#include "common/format.h"

constexpr char fontCharset[FONT_CHARS + 1] = "0123456789ABCDEFG:.#|";

namespace {

// One glyph row written as the glyph chart shows it, 'X' for ink.
constexpr uint8_t Cell(const char (&row)[7], int column) {
    return row[column] == 'X' ? 1 : 0;
}

} // namespace

#define ROW(r) Cell(r, 0), Cell(r, 1), Cell(r, 2), Cell(r, 3), Cell(r, 4), Cell(r, 5)

// constexpr so the span table below is derived at compile time.
// clang-format off
constexpr uint8_t fontGlyphs[FONT_CHARS * FONT_GLYPH_BYTES] = {
    ROW("XXXXX."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("XXXXX."), // 0
    ROW("..X..."), ROW("..X..."), ROW("..X..."), ROW("..X..."), ROW("..X..."), ROW("..X..."), ROW("..X..."), ROW("..X..."), // 1
    ROW("XXXXX."), ROW("X...X."), ROW("....X."), ROW("....X."), ROW(".XXX.."), ROW("X....."), ROW("X....."), ROW("XXXXX."), // 2
    ROW("XXXX.."), ROW("....X."), ROW("....X."), ROW("..XXX."), ROW("....X."), ROW("....X."), ROW("....X."), ROW("XXXX.."), // 3
    ROW("....X."), ROW("X...X."), ROW("X...X."), ROW(".XXXX."), ROW("....X."), ROW("....X."), ROW("....X."), ROW("....X."), // 4
    ROW("XXXXX."), ROW("X....."), ROW("X....."), ROW("XXXX.."), ROW("....X."), ROW("....X."), ROW("....X."), ROW("XXXX.."), // 5
    ROW(".XXXX."), ROW("X....."), ROW("X....."), ROW("XXXX.."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW(".XXX.."), // 6
    ROW("XXXXX."), ROW("....X."), ROW("....X."), ROW("....X."), ROW("..XXX."), ROW("....X."), ROW("....X."), ROW("....X."), // 7
    ROW(".XXX.."), ROW("X...X."), ROW("X...X."), ROW(".XXX.."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW(".XXX.."), // 8
    ROW(".XXXX."), ROW("X...X."), ROW("X...X."), ROW(".XXXX."), ROW("....X."), ROW("....X."), ROW("....X."), ROW("....X."), // 9
    ROW(".XXX.."), ROW("X...X."), ROW("X...X."), ROW("XXXXX."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("X...X."), // A
    ROW("XXXX.."), ROW("X...X."), ROW("X...X."), ROW("XXXX.."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("XXXX.."), // B
    ROW(".XXXX."), ROW("X....."), ROW("X....."), ROW("X....."), ROW("X....."), ROW("X....."), ROW("X....."), ROW(".XXXX."), // C
    ROW("XXXX.."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("XXXX.."), // D
    ROW(".XXXX."), ROW("X....."), ROW("X....."), ROW("XXX..."), ROW("X....."), ROW("X....."), ROW("X....."), ROW(".XXXX."), // E
    ROW(".XXXX."), ROW("X....."), ROW("X....."), ROW("XXX..."), ROW("X....."), ROW("X....."), ROW("X....."), ROW("X....."), // F
    ROW("XXXXX."), ROW("X....."), ROW("X....."), ROW("X.XXX."), ROW("X...X."), ROW("X...X."), ROW("X...X."), ROW("XXXXX."), // G
    ROW("......"), ROW("..XX.."), ROW("..XX.."), ROW("......"), ROW("......"), ROW("..XX.."), ROW("..XX.."), ROW("......"), // :
    ROW("......"), ROW("......"), ROW("......"), ROW("......"), ROW("......"), ROW("......"), ROW("..XX.."), ROW("..XX.."), // .
    ROW(".X.X.."), ROW("XXXXX."), ROW(".X.X.."), ROW(".X.X.."), ROW(".X.X.."), ROW(".X.X.."), ROW("XXXXX."), ROW(".X.X.."), // #
    ROW("..XX.."), ROW("..XX.."), ROW("..XX.."), ROW("..XX.."), ROW("..XX.."), ROW("..XX.."), ROW("..XX.."), ROW("..XX.."), // |
};
// clang-format on

#undef ROW

namespace {

// The ink of each glyph as rectangles of ink cells: a run of adjacent ink
// cells in a row (first column, length), extended down over the rows below
// that have the same run. '|' is one rectangle, '0' four. Drawing stores
// whole runs and never looks at a background cell. Column 5 is always
// background, so a row has at most 3 runs.
struct GlyphSpans {
    uint8_t count;
    uint8_t row[FONT_ROWS * 3];
    uint8_t rows[FONT_ROWS * 3];
    uint8_t start[FONT_ROWS * 3];
    uint8_t length[FONT_ROWS * 3];
};

struct FontSpans {
    GlyphSpans glyph[FONT_CHARS];
};

constexpr FontSpans MakeSpans() {
    FontSpans spans{};
    for (int g = 0; g < FONT_CHARS; ++g) {
        GlyphSpans& glyph = spans.glyph[g];
        for (int r = 0; r < FONT_ROWS; ++r) {
            const uint8_t* cells = fontGlyphs + g * FONT_GLYPH_BYTES + r * FONT_COLUMNS;
            for (int c = 0; c < FONT_COLUMNS; ++c) {
                if (!cells[c] || (c > 0 && cells[c - 1])) continue; // not the first cell of a run
                int length = 1;
                while (c + length < FONT_COLUMNS && cells[c + length])
                    ++length;
                int k = 0; // a rectangle that ends just above with this run
                while (k < glyph.count && !(glyph.row[k] + glyph.rows[k] == r &&
                                            glyph.start[k] == c && glyph.length[k] == length))
                    ++k;
                if (k == glyph.count) {
                    glyph.row[k] = static_cast<uint8_t>(r);
                    glyph.start[k] = static_cast<uint8_t>(c);
                    glyph.length[k] = static_cast<uint8_t>(length);
                    ++glyph.count;
                }
                ++glyph.rows[k];
            }
        }
    }
    return spans;
}

constexpr FontSpans kSpans = MakeSpans();

// Stores colour in pixels p[0] .. p[Length - 1], each once, in blocks of 4,
// 2 and 1 pixels.
template <int Length> inline void StoreRun(uint32_t* p, const uint32_t (&colours)[4]) {
    for (int i = 0; i + 4 <= Length; i += 4)
        std::memcpy(p + i, colours, 16);
    if (Length % 4 >= 2) std::memcpy(p + Length / 4 * 4, colours, 8);
    if (Length % 2) p[Length - 1] = colours[0];
}

// A rectangle of ink `pixelRows` high and Length pixels wide from p.
template <int Length> void StoreRect(uint32_t* p, int pixelRows, const uint32_t (&colours)[4]) {
    for (int v = 0; v < pixelRows; ++v, p += width)
        StoreRun<Length>(p, colours);
}

// Glyph number of every byte value, -1 outside the set (the terminating zero
// of fontCharset is not a character of the set).
struct GlyphIndex {
    int8_t glyph[256];
};

constexpr GlyphIndex MakeGlyphIndex() {
    GlyphIndex index{};
    for (int b = 0; b < 256; ++b)
        index.glyph[b] = -1;
    for (int g = FONT_CHARS - 1; g >= 0; --g) // the first position wins
        index.glyph[static_cast<unsigned char>(fontCharset[g])] = static_cast<int8_t>(g);
    return index;
}

constexpr GlyphIndex kGlyphIndex = MakeGlyphIndex();

// One glyph with its top-left pixel at `box`. Scale is a compile-time
// constant for the program's two scales (2 for the grid, 3 for the
// readout), whose runs are at most 15 pixels; 0 stands for any other scale.
template <int Scale> void DrawGlyph(uint32_t* box, int32_t scale, int glyph, uint32_t colour) {
    const GlyphSpans& spans = kSpans.glyph[glyph];
    const int s = Scale > 0 ? Scale : scale;
    const uint32_t colours[4] = {colour, colour, colour, colour};
    for (int k = 0; k < spans.count; ++k) {
        uint32_t* p = box + static_cast<ptrdiff_t>(spans.row[k]) * s * width + spans.start[k] * s;
        const int pixelRows = spans.rows[k] * s;
        if constexpr (Scale == 0) {
            for (int v = 0; v < pixelRows; ++v, p += width)
                std::fill_n(p, spans.length[k] * s, colour);
            continue;
        }
        switch (spans.length[k]) { // runs of 1 to 5 cells: fixed store sequences
        case 1:
            StoreRect<1 * Scale>(p, pixelRows, colours);
            break;
        case 2:
            StoreRect<2 * Scale>(p, pixelRows, colours);
            break;
        case 3:
            StoreRect<3 * Scale>(p, pixelRows, colours);
            break;
        case 4:
            StoreRect<4 * Scale>(p, pixelRows, colours);
            break;
        default:
            StoreRect<5 * Scale>(p, pixelRows, colours);
            break;
        }
    }
}

inline void DrawCharAt(uint32_t* frame, int32_t scale, int32_t position, uint32_t colour, char c) {
    const int glyph = kGlyphIndex.glyph[static_cast<unsigned char>(c)];
    if (glyph < 0 || scale <= 0) return;
    uint32_t* box = frame + position;
    if (scale == 2)
        DrawGlyph<2>(box, scale, glyph, colour);
    else if (scale == 3)
        DrawGlyph<3>(box, scale, glyph, colour);
    else
        DrawGlyph<0>(box, scale, glyph, colour);
}

} // namespace

void FFX_DrawChar(uint32_t* frame, int32_t scale, int32_t position, uint32_t colour, char c) {
    DrawCharAt(frame, scale, position, colour, c);
}

void FFX_DrawString(uint32_t* frame, int32_t scale, int32_t position, uint32_t colour,
                    const char* text) {
    for (; *text; ++text, position += 6 * scale)
        DrawCharAt(frame, scale, position, colour, *text);
}

void FFX_DrawTime(uint32_t* frame, float seconds) {
    const std::string text = COM_FormatFixed(static_cast<double>(seconds), 8, 2);
    FFX_DrawString(frame, 3, 10 * width + 100, 0xFFFFFFFFu, text.c_str());
}
