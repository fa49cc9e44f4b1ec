// qoi_decode.cpp -- the pictures' and glyphs' QOI decoded (Debian's
// header-only qoi.h, the same code on every build).
#include "common/asset.h"

#include <cstdlib>
#include <cstring>

#define QOI_IMPLEMENTATION
#define QOI_NO_STDIO
#include <qoi.h>

bool IMG_DecodeQoi(const char* bytes, uint32_t size, int channels, uint32_t count,
                   std::vector<uint8_t>& out) {
    qoi_desc desc;
    void* decoded = qoi_decode(bytes, static_cast<int>(size), &desc, channels);
    if (!decoded) return false;
    const bool fits = static_cast<uint64_t>(desc.width) * desc.height == count;
    if (fits) {
        out.resize(static_cast<size_t>(count) * channels);
        std::memcpy(out.data(), decoded, out.size());
    }
    std::free(decoded);
    return fits;
}
