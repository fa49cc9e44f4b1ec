// asset_file.h -- a demo's picture or font file made into what the
// framework holds (common/asset.h), for a demo of a given depth: what
// ffxassets compiles in, and what the live program takes up when the file
// is saved.
#pragma once

#include <string>
#include <vector>

#include "common/asset.h"

// The picture at `path` for a demo of `depth` (8 or 32): an indexed picture
// keeps its indices at depth 8 and is drawn in true colour at 32; a
// true-colour picture at depth 8 is an error. False with `error` set
// (without the file's name).
bool LoadPicture(const std::string& path, int depth, IMG_Held& picture, std::string& error);

// The font at `path` at `size` pixels; `lacking` as RasteriseFont's.
bool LoadFont(const std::string& path, int size, FFX_Font& font, std::vector<uint32_t>& lacking,
              std::string& error);

// A picture's name: its file's base name without the extension.
std::string PictureName(const std::string& path);

// NAME=FILE:SIZE, a font as ffx_add_demo declares it; false when it is not.
bool ParseFontDeclaration(const std::string& declared, std::string& name, std::string& file, int& size);

// "U+00E9 'é'": how a character is named in messages.
std::string CharacterName(uint32_t codePoint);
