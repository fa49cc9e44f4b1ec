// png_file.cpp -- PNG output through libpng.
#include "tools/capture/png_file.h"

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

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

// The encoding itself; false with `error` set when libpng or the file fails.
bool Encode(std::FILE* file, const uint32_t* frame, int width, int height, std::string& error) {
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
    png_init_io(png, file);
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

bool WritePngFile(const std::string& path, const uint32_t* frame, int width, int height,
                  std::string& error) {
    // Beside the target, so that the rename stays within one file system.
    const std::string temporary = path + ".part" + std::to_string(static_cast<long>(getpid()));
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::string encodeError;
    bool ok = Encode(file, frame, width, height, encodeError);
    if (std::ferror(file) && ok) {
        ok = false;
        encodeError = std::strerror(errno);
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        encodeError = std::strerror(errno);
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        encodeError = std::strerror(errno);
    }
    if (!ok) {
        std::remove(temporary.c_str());
        error = "cannot write '" + path + "': " + encodeError;
    }
    return ok;
}
