// inflate.cpp -- zlib's format inflated by stb_image's decoder (Debian's
// header-only libstb); nothing else of it is used.
#include "common/inflate.h"

#include <cstdlib>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

bool COM_Inflate(const char* bytes, uint32_t size, std::vector<uint8_t>& out) {
    int length = 0;
    char* inflated = stbi_zlib_decode_malloc(bytes, static_cast<int>(size), &length);
    if (!inflated) return false;
    out.assign(inflated, inflated + length);
    std::free(inflated);
    return true;
}
