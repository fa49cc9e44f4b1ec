// font_file.cpp -- FreeType's hinted, antialiased rendering (8-bit
// coverage) of each slot's glyph, its advance rounded to whole pixels, and
// the kerning FreeType reads from the font's kern table.
#include "font_file.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

namespace {

uint32_t SlotCodePoint(uint32_t slot) {
    return slot <= 95 ? 0x20 + slot - 1 : 0xA0 + slot - 96;
}

int32_t Pixels(FT_Pos units) { // 26.6 fixed point, rounded
    return static_cast<int32_t>((units + 32) >> 6);
}

bool Render(FT_Face face, FT_UInt index, FFX_Font& font, FNT_Glyph& glyph) {
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0) return false;
    glyph = FNT_Glyph{static_cast<int16_t>(slot->bitmap_left), static_cast<int16_t>(slot->bitmap_top),
                      static_cast<uint16_t>(bitmap.width), static_cast<uint16_t>(bitmap.rows),
                      static_cast<int16_t>(Pixels(slot->advance.x)),
                      static_cast<uint32_t>(font.coverage.size())};
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        font.coverage.insert(font.coverage.end(), line, line + bitmap.width);
    }
    return true;
}

} // namespace

bool RasteriseFont(const std::string& path, int size, FFX_Font& font,
                   std::vector<uint32_t>& lacking, std::string& error) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        error = "FreeType does not start";
        return false;
    }
    FT_Face face;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        error = "cannot be read as a font";
        return false;
    }
    font = FFX_Font{};
    lacking.clear();
    bool ok = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size)) == 0;
    if (!ok) error = "has no size " + std::to_string(size);
    std::vector<FT_UInt> indices(kFontSlots, 0);
    font.glyphs.resize(kFontSlots);
    for (uint32_t slot = 0; ok && slot < kFontSlots; ++slot) {
        const uint32_t code = slot == 0 ? 0 : SlotCodePoint(slot);
        indices[slot] = slot == 0 ? 0 : FT_Get_Char_Index(face, code);
        if (slot != 0 && indices[slot] == 0) {
            lacking.push_back(code);
            font.glyphs[slot] = font.glyphs[0];
            continue;
        }
        ok = Render(face, indices[slot], font, font.glyphs[slot]);
        if (!ok) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", code);
            error = std::string("cannot render ") + name;
        }
    }
    if (ok) {
        const FT_Size_Metrics& metrics = face->size->metrics;
        font.ascent = Pixels(metrics.ascender);
        font.lineHeight = Pixels(metrics.height);
        for (uint32_t a = 1; FT_HAS_KERNING(face) && a < kFontSlots; ++a)
            for (uint32_t b = 1; b < kFontSlots; ++b) {
                FT_Vector delta;
                if (indices[a] == 0 || indices[b] == 0 ||
                    FT_Get_Kerning(face, indices[a], indices[b], FT_KERNING_DEFAULT, &delta) != 0)
                    continue;
                const int32_t adjust = Pixels(delta.x);
                if (adjust != 0)
                    font.kerns.push_back(FNT_Kern{static_cast<uint16_t>(SlotCodePoint(a)),
                                                  static_cast<uint16_t>(SlotCodePoint(b)),
                                                  static_cast<int16_t>(adjust)});
            }
        std::sort(font.kerns.begin(), font.kerns.end(), [](const FNT_Kern& x, const FNT_Kern& y) {
            return x.first != y.first ? x.first < y.first : x.second < y.second;
        });
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return ok;
}
