// pixels_decode.cpp -- the pictures' and glyphs' pixels as ffxassets packs
// them: QOI (Debian's header-only qoi.h), deflated (zlib's format, inflated
// by stb_image's decoder, Debian's header-only libstb): the same code on
// every build.
#include "common/asset.h"

#include <cstdlib>
#include <cstring>

#define QOI_IMPLEMENTATION
#define QOI_NO_STDIO
#include <qoi.h>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

bool IMG_DecodePixels(const char* bytes, uint32_t size, int channels, uint32_t count,
                      std::vector<uint8_t>& out) {
    int qoiSize = 0;
    char* qoi = stbi_zlib_decode_malloc(bytes, static_cast<int>(size), &qoiSize);
    if (!qoi) return false;
    qoi_desc desc;
    void* decoded = qoi_decode(qoi, qoiSize, &desc, channels);
    std::free(qoi);
    if (!decoded) return false;
    const bool fits = static_cast<uint64_t>(desc.width) * desc.height == count;
    if (fits) {
        out.resize(static_cast<size_t>(count) * channels);
        std::memcpy(out.data(), decoded, out.size());
    }
    std::free(decoded);
    return fits;
}
