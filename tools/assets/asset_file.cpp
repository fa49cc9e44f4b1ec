// asset_file.cpp -- pictures decoded (image_file.h) and fonts rasterised
// (font_file.h) into the framework's form.
#include "asset_file.h"

#include <cstdio>

#include "font_file.h"
#include "image_file.h"

bool LoadPicture(const std::string& path, int depth, IMG_Held& picture, std::string& error) {
    DecodedImage decoded;
    if (!DecodeImage(path, decoded, error)) return false;
    if (depth == 8 && !decoded.indexed) {
        error = "is in true colour; a demo of depth 8 draws pictures with a palette (an indexed "
                "PNG, GIF or BMP)";
        return false;
    }
    picture = IMG_Held{};
    picture.image.width = decoded.width;
    picture.image.height = decoded.height;
    if (depth == 8) {
        picture.image.transparent = TransparentIndex(decoded);
        picture.indices = std::move(decoded.indices);
        for (uint32_t entry : decoded.palette)
            picture.palette.push_back(entry & 0xFFFFFFu);
    } else {
        if (decoded.indexed) ExpandIndexed(decoded);
        picture.pixels = std::move(decoded.pixels);
    }
    picture.image.pixels = picture.pixels.empty() ? nullptr : picture.pixels.data();
    picture.image.indices = picture.indices.empty() ? nullptr : picture.indices.data();
    return true;
}

bool LoadFont(const std::string& path, int size, FFX_Font& font, std::vector<uint32_t>& lacking,
              std::string& error) {
    if (size < 1 || size > kMaxFontSize) {
        error = "size " + std::to_string(size) + " is not 1 to " + std::to_string(kMaxFontSize) +
                " pixels";
        return false;
    }
    return RasteriseFont(path, size, font, lacking, error);
}

std::string PictureName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool ParseFontDeclaration(const std::string& declared, std::string& name, std::string& file, int& size) {
    const size_t equals = declared.find('='), colon = declared.find_last_of(':');
    if (equals == std::string::npos || equals == 0 || colon == std::string::npos ||
        colon < equals + 2)
        return false;
    const std::string digits = declared.substr(colon + 1);
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    name = declared.substr(0, equals);
    file = declared.substr(equals + 1, colon - equals - 1);
    size = std::stoi(digits);
    return true;
}

std::string CharacterName(uint32_t codePoint) {
    char name[32];
    std::snprintf(name, sizeof name, "U+%04X", codePoint);
    std::string text = name;
    if (codePoint >= 0x20 && codePoint != 0x7F && !(codePoint >= 0x80 && codePoint < 0xA0)) {
        text += " '";
        if (codePoint < 0x80) {
            text += static_cast<char>(codePoint);
        } else { // UTF-8 of a Latin-1 character
            text += static_cast<char>(0xC0 | codePoint >> 6);
            text += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
        text += "'";
    }
    return text;
}
