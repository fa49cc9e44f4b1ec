// embed.cpp -- string literals of bytes, and zlib's deflate.
#include "embed.h"

#include <zlib.h>

std::string BytesLiteral(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "\"";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % 32 == 0) out += "\"\n    \"";
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += "\\x";
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out + "\"";
}

std::string Deflated(const std::string& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(bytes.data()),
              static_cast<uLong>(bytes.size()), Z_BEST_COMPRESSION);
    out.resize(size);
    return out;
}
