// png_file.cpp -- PNG output through libpng.
#include "tools/capture/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "tools/capture/output_file.h"

namespace {

struct PngError {
    char message[256];
};

void OnPngError(png_structp png, png_const_charp message) {
    PngError* error = static_cast<PngError*>(png_get_error_ptr(png));
    std::snprintf(error->message, sizeof error->message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void Append(png_structp png, png_bytep data, png_size_t size) {
    std::vector<png_byte>* out = static_cast<std::vector<png_byte>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void NoFlush(png_structp) {}

// The whole file in memory, so that it reaches the output in a few large
// writes; false with `error` set when libpng fails.
bool Encode(std::vector<png_byte>& out, const uint32_t* frame, int width, int height,
            std::string& error) {
    PngError pngError{};
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &pngError, OnPngError, OnPngWarning);
    if (!png) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = info ? pngError.message : "out of memory";
        return false;
    }
    png_set_write_fn(png, &out, Append, NoFlush);
    // Fast compression: a capture is hundreds of frames.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const uint32_t* pixel = frame + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) {
            row[static_cast<size_t>(x) * 3 + 0] =
                static_cast<png_byte>(pixel[x] >> 16); // red: bits 16-23
            row[static_cast<size_t>(x) * 3 + 1] =
                static_cast<png_byte>(pixel[x] >> 8); // green: bits 8-15
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(pixel[x]); // blue: bits 0-7
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool WritePngFile(OutputFile& file, const uint32_t* frame, int width, int height,
                  std::string& error) {
    std::vector<png_byte> bytes;
    bytes.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3 / 2);
    if (!Encode(bytes, frame, width, height, error)) {
        error = "cannot encode a PNG frame: " + error;
        return false;
    }
    return file.Write(bytes.data(), bytes.size(), error) && file.Commit(error);
}
