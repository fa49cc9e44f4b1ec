// font_file.h -- a font file rasterised as a demo draws it, with FreeType:
// the characters of common/asset.h's slots at one pixel size, antialiased,
// with their advances and the font's kerning.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/asset.h"

// Rasterises `path` at `size` pixels (the em); false with `error` set
// (without the file's name) when it cannot. `lacking` gets the code points
// the font has no glyph for, drawn as its missing glyph.
bool RasteriseFont(const std::string& path, int size, FFX_Font& font,
                   std::vector<uint32_t>& lacking, std::string& error);

// The largest size a font is rasterised at.
constexpr int kMaxFontSize = 512;
