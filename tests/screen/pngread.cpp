// pngread.cpp -- PNG loading through libpng's simplified interface, which
// converts greyscale, palette and 16-bit images to 8-bit RGB.
#include "tests/screen/pngread.h"

#include <png.h>

bool ReadPng(const std::string& path, std::vector<uint32_t>& pixels, int& w, int& h,
             std::string& error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    w = int(image.width);
    h = int(image.height);
    pixels.resize(size_t(w) * size_t(h));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    return true;
}
