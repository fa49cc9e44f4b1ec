// image_file.h -- a picture file decoded as a demo draws it: PNG, JPEG, GIF
// (its first frame), BMP or WebP, through FFmpeg's image decoders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
    int32_t width = 0, height = 0;
    bool indexed = false;
    std::vector<uint32_t> pixels;  // not indexed: 0xAARRGGBB, straight alpha
    std::vector<uint8_t> indices;  // indexed: one palette index a pixel
    std::vector<uint32_t> palette; // indexed: 256 entries 0xAARRGGBB
};

// The largest picture a demo carries, either way.
constexpr int32_t kMaxImageSide = 4096;

// Decodes `path`; false with `error` set (without the file's name) when it
// cannot be read or decoded, or is larger than kMaxImageSide a side.
bool DecodeImage(const std::string& path, DecodedImage& image, std::string& error);

// The index drawing leaves out: the first whose alpha is 0, else 0.
int32_t TransparentIndex(const DecodedImage& image);

// An indexed picture in true colour, through its palette.
void ExpandIndexed(DecodedImage& image);
