// font.cpp -- the bitmap font, its span form for drawing, and the time readout.
#include "effect/font.h"

#include <algorithm>
#include <cstddef>

#include "app/config.h"
#include "common/format.h"

const char fontCharset[FONT_CHARS + 1] = "0123456789ABCDEFG:.#|";

namespace {

// One glyph row written as the Part's table shows it, 'X' for ink.
constexpr uint8_t Cell(const char (&row)[7], int column)
{
    return row[column] == 'X' ? 1 : 0;
}

} // namespace

#define ROW(r) Cell(r, 0), Cell(r, 1), Cell(r, 2), Cell(r, 3), Cell(r, 4), Cell(r, 5)

// constexpr so the span table below is derived at compile time.
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

#undef ROW

namespace {

// The ink of one glyph row as runs of adjacent ink cells, so that a scaled
// row is a few block fills instead of 6 * scale tests. Column 5 is always
// background, so a row has at most 3 runs.
struct RowSpans {
    uint8_t count;
    uint8_t start[3];
    uint8_t length[3];
};

struct FontSpans {
    RowSpans rows[FONT_CHARS][FONT_ROWS];
};

constexpr FontSpans MakeSpans()
{
    FontSpans spans{};
    for (int g = 0; g < FONT_CHARS; ++g) {
        for (int r = 0; r < FONT_ROWS; ++r) {
            RowSpans& row = spans.rows[g][r];
            const uint8_t* cells = fontGlyphs + g * FONT_GLYPH_BYTES + r * FONT_COLUMNS;
            for (int c = 0; c < FONT_COLUMNS; ++c) {
                if (!cells[c])
                    continue;
                if (c > 0 && cells[c - 1]) {
                    ++row.length[row.count - 1];
                } else {
                    row.start[row.count] = static_cast<uint8_t>(c);
                    row.length[row.count] = 1;
                    ++row.count;
                }
            }
        }
    }
    return spans;
}

constexpr FontSpans kSpans = MakeSpans();

// Glyph number of every byte value, -1 outside the set (the terminating zero
// of fontCharset is not a character of the set).
struct GlyphIndex {
    int8_t glyph[256];
};

constexpr GlyphIndex MakeGlyphIndex()
{
    GlyphIndex index{};
    for (int b = 0; b < 256; ++b)
        index.glyph[b] = -1;
    for (int g = FONT_CHARS - 1; g >= 0; --g) // the first position wins
        index.glyph[static_cast<unsigned char>(fontCharset[g])] = static_cast<int8_t>(g);
    return index;
}

constexpr GlyphIndex kGlyphIndex = MakeGlyphIndex();

} // namespace

void FFX_DrawChar(uint32_t* frame, int32_t scale, int32_t position, uint32_t colour, char c)
{
    const int glyph = kGlyphIndex.glyph[static_cast<unsigned char>(c)];
    if (glyph < 0 || scale <= 0)
        return;
    uint32_t* line = frame + position;
    for (int r = 0; r < FONT_ROWS; ++r) {
        const RowSpans& row = kSpans.rows[glyph][r];
        if (row.count == 0) {
            line += static_cast<ptrdiff_t>(width) * scale;
            continue;
        }
        for (int32_t v = 0; v < scale; ++v, line += width)
            for (int k = 0; k < row.count; ++k)
                std::fill_n(line + row.start[k] * scale, row.length[k] * scale, colour);
    }
}

void FFX_DrawString(uint32_t* frame, int32_t scale, int32_t position, uint32_t colour, const char* text)
{
    for (; *text; ++text, position += 6 * scale)
        FFX_DrawChar(frame, scale, position, colour, *text);
}

void FFX_DrawTime(uint32_t* frame, float seconds)
{
    const std::string text = COM_FormatFixed(static_cast<double>(seconds), 8, 2);
    FFX_DrawString(frame, 3, 10 * width + 100, 0xFFFFFFFFu, text.c_str());
}
