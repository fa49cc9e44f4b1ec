// font.cpp -- the fonts an effect asks for by name: decoded from the demo's
// compiled data the first time, held until the process ends.
#include <cstdio>
#include <map>
#include <memory>

#include "common/asset.h"

namespace {

std::map<std::string, std::unique_ptr<FFX_Font>> held;

size_t CoverageBytes(const FNT_Glyph* glyphs) {
    size_t end = 0;
    for (uint32_t i = 0; i < kFontSlots; ++i) {
        const size_t last = glyphs[i].offset + static_cast<size_t>(glyphs[i].width) * glyphs[i].height;
        if (last > end) end = last;
    }
    return end;
}

bool Decode(const FNT_Data& data, FFX_Font& font) {
    const size_t count = CoverageBytes(data.glyphs);
    std::vector<uint8_t> bytes;
    if (count > 0 && !IMG_DecodePixels(data.packed, data.packedBytes, 3, static_cast<uint32_t>(count), bytes))
        return false;
    font.coverage.resize(count);
    for (size_t i = 0; i < count; ++i)
        font.coverage[i] = bytes[i * 3];
    font.glyphs.assign(data.glyphs, data.glyphs + kFontSlots);
    font.kerns.assign(data.kerns, data.kerns + data.kernCount);
    font.ascent = data.ascent;
    font.lineHeight = data.lineHeight;
    return true;
}

} // namespace

uint32_t FNT_Slot(uint32_t codePoint) {
    if (codePoint >= 0x20 && codePoint <= 0x7E) return 1 + codePoint - 0x20;
    if (codePoint >= 0xA0 && codePoint <= 0xFF) return 1 + 95 + codePoint - 0xA0;
    return 0;
}

const FFX_Font* FFX_GetFont(const char* name) {
    const std::string key = name ? name : "";
    std::unique_ptr<FFX_Font>& font = held[key];
    if (font) return font.get();
    font.reset(new FFX_Font);
    for (uint32_t i = 0; i < fontCount; ++i) {
        if (key != fontData[i].name) continue;
        if (!Decode(fontData[i], *font)) {
            std::fprintf(stderr, "ffxdemo: the font \"%s\" does not decode\n", key.c_str());
            *font = FFX_Font{};
        }
        return font.get();
    }
    std::fprintf(stderr, "ffxdemo: no font \"%s\" (ffx_add_demo's FONTS)\n", key.c_str());
    return font.get();
}

int32_t FFX_FontAscent(const FFX_Font* font) {
    return font ? font->ascent : 0;
}

int32_t FFX_FontLineHeight(const FFX_Font* font) {
    return font ? font->lineHeight : 0;
}

void FNT_Replace(const std::string& name, FFX_Font&& replacement) {
    std::unique_ptr<FFX_Font>& font = held[name];
    if (!font) font.reset(new FFX_Font);
    *font = std::move(replacement);
}
