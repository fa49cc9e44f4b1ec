// pixels_decode.cpp -- the pictures' and glyphs' pixels as ffxassets packs
// them: QOI (Debian's header-only qoi.h), deflated (inflate.h): the same
// code on every build.
#include "common/asset.h"

#include <cstdlib>
#include <cstring>

#include "common/inflate.h"

#define QOI_IMPLEMENTATION
#define QOI_NO_STDIO
#include <qoi.h>

bool IMG_DecodePixels(const char* bytes, uint32_t size, int channels, uint32_t count,
                      std::vector<uint8_t>& out) {
    std::vector<uint8_t> qoi;
    if (!COM_Inflate(bytes, size, qoi)) return false;
    qoi_desc desc;
    void* decoded = qoi_decode(qoi.data(), static_cast<int>(qoi.size()), &desc, channels);
    if (!decoded) return false;
    const bool fits = static_cast<uint64_t>(desc.width) * desc.height == count;
    if (fits) {
        out.resize(static_cast<size_t>(count) * channels);
        std::memcpy(out.data(), decoded, out.size());
    }
    std::free(decoded);
    return fits;
}
