// image.cpp -- the pictures an effect asks for by name: decoded from the
// demo's compiled data the first time, held until the process ends.
#include <cstdio>
#include <map>
#include <memory>

#include "common/asset.h"

namespace {

std::map<std::string, std::unique_ptr<IMG_Held>> held;
const uint32_t kNoPalette[256] = {};

// Points the effect's picture at the storage.
void Point(IMG_Held& picture) {
    picture.image.pixels = picture.pixels.empty() ? nullptr : picture.pixels.data();
    picture.image.indices = picture.indices.empty() ? nullptr : picture.indices.data();
}

} // namespace

bool IMG_Unpack(const IMG_Data& data, IMG_Held& picture) {
    const uint32_t count = static_cast<uint32_t>(data.width) * static_cast<uint32_t>(data.height);
    std::vector<uint8_t> bytes;
    if (!IMG_DecodePixels(data.packed, data.packedBytes, data.indexed ? 3 : 4, count, bytes)) return false;
    if (data.indexed) {
        picture.indices.resize(count);
        for (uint32_t i = 0; i < count; ++i)
            picture.indices[i] = bytes[i * 3];
        picture.palette.resize(256);
        for (int i = 0; i < 256; ++i)
            picture.palette[i] = data.palette[i];
        picture.image.transparent = data.transparent;
    } else {
        picture.pixels.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* p = &bytes[i * 4];
            picture.pixels[i] = static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[0]) << 16 |
                                static_cast<uint32_t>(p[1]) << 8 | p[2];
        }
    }
    picture.image.width = data.width;
    picture.image.height = data.height;
    Point(picture);
    return true;
}

const FFX_Image* FFX_GetImage(const char* name) {
    const std::string key = name ? name : "";
    std::unique_ptr<IMG_Held>& picture = held[key];
    if (picture) return &picture->image;
    picture.reset(new IMG_Held);
    for (uint32_t i = 0; i < imageCount; ++i) {
        if (key != imageData[i].name) continue;
        if (!IMG_Unpack(imageData[i], *picture)) {
            std::fprintf(stderr, "ffxdemo: the picture \"%s\" does not decode\n", key.c_str());
            *picture = IMG_Held{};
            Point(*picture);
        }
        return &picture->image;
    }
    std::fprintf(stderr, "ffxdemo: no picture \"%s\" (ffx_add_demo's IMAGES)\n", key.c_str());
    return &picture->image;
}

const uint32_t* FFX_ImagePalette(const FFX_Image* image) {
    for (auto& [name, picture] : held)
        if (image == &picture->image && !picture->palette.empty()) return picture->palette.data();
    return kNoPalette;
}

void IMG_Replace(const std::string& name, IMG_Held&& replacement) {
    std::unique_ptr<IMG_Held>& picture = held[name];
    if (!picture) picture.reset(new IMG_Held);
    picture->pixels = std::move(replacement.pixels);
    picture->indices = std::move(replacement.indices);
    picture->palette = std::move(replacement.palette);
    picture->image = replacement.image;
    Point(*picture);
}
