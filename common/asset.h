// asset.h -- a demo's pictures and fonts as ffx_add_demo compiles them
// (ffxassets, NAME_assets.cpp) and as the framework holds them (image.cpp,
// font.cpp). Pixels and coverage travel QOI-coded and deflated, and are
// decoded once, the first time the effect asks for them. Standard library
// only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ffxdemo.h"

// A glyph's box from the pen on the baseline: `left` to the right, `top`
// up; its coverage (0 to 255) width x height bytes from `offset`.
struct FNT_Glyph {
    int16_t left, top;
    uint16_t width, height;
    int16_t advance; // pixels the pen moves on
    uint32_t offset;
};

// The pen moves on `adjust` more pixels between the two characters.
struct FNT_Kern {
    uint16_t first, second; // code points
    int16_t adjust;
};

// The characters a font carries: slot 0 is its missing glyph, then
// U+0020 to U+007E, then U+00A0 to U+00FF.
constexpr uint32_t kFontSlots = 1 + 95 + 96;
uint32_t FNT_Slot(uint32_t codePoint); // 0 where the font has no slot

struct IMG_Data {
    const char* name;
    int32_t width, height;
    int32_t indexed;         // at depth 8: indices; else 0xAARRGGBB pixels
    int32_t transparent;     // indexed: the index left out
    const uint32_t* palette; // indexed: 256 entries 0x00RRGGBB
    const char* packed;      // 4 channels (indexed: 3, the index in each)
    uint32_t packedBytes;
};

struct FNT_Data {
    const char* name;
    int32_t ascent, lineHeight;
    const FNT_Glyph* glyphs; // kFontSlots
    const FNT_Kern* kerns;   // by first, then second, rising
    uint32_t kernCount;
    const char* packed; // the glyphs' coverage, packed, 3 channels of one byte each
    uint32_t packedBytes;
};

// The demo's (NAME_assets.cpp, or asset_none.cpp).
extern const IMG_Data imageData[];
extern const uint32_t imageCount;
extern const FNT_Data fontData[];
extern const uint32_t fontCount;

// A font as the framework holds it.
struct FFX_Font {
    int32_t ascent = 0, lineHeight = 0;
    std::vector<FNT_Glyph> glyphs; // kFontSlots, or none for an unknown name
    std::vector<FNT_Kern> kerns;
    std::vector<uint8_t> coverage;
};

// A picture as the framework holds it: the effect's FFX_Image over its own
// storage.
struct IMG_Held {
    FFX_Image image{};
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> indices;
    std::vector<uint32_t> palette; // 0x00RRGGBB, as DDRAW_SetPalette takes it
};

// A compiled picture decoded into `picture`; false when its data is not
// what it says.
bool IMG_Unpack(const IMG_Data& data, IMG_Held& picture);

// Pixels as ffxassets packs them (QOI, deflated in zlib's format): `count`
// values of `channels` each (3 or 4), as R, G, B(, A); false when `bytes`
// are not that.
bool IMG_DecodePixels(const char* bytes, uint32_t size, int channels, uint32_t count,
                      std::vector<uint8_t>& out);

// The live program's: a picture or font of that name replaced (or added)
// in place, so that what the effect holds shows the new one.
void IMG_Replace(const std::string& name, IMG_Held&& picture);
void FNT_Replace(const std::string& name, FFX_Font&& font);
